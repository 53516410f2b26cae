// Runs arbitrary text as a font descriptor. Every layer image is one fixed
// picture, so image maps and everything after them are reached too.
#include "framework/graphics/FontData.h"
#include "framework/graphics/FontHost.h"
#include "framework/graphics/MemoryImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

class FuzzFontHost : public Quib::FontHost
{
public:
    FuzzFontHost()
    {
        std::vector<uint32_t> pixels(64 * 32, 0x80FFFFFF);
        auto* image = new Quib::MemoryImage();
        image->SetBits(pixels.data(), 64, 32, true);
        mEntry.mImage = image;
    }

    void ShowError(const std::string& text) override { mLastError = text; }

    Quib::SharedImageHandle GetSharedImage(const std::string&, const std::string&, bool* isNew) override
    {
        *isNew = false;
        Quib::SharedImageHandle handle;
        handle = &mEntry;
        return handle;
    }

private:
    Quib::SharedImageEntry mEntry;
    std::string mLastError;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFontHost* host = new FuzzFontHost();
    Quib::FontData* font = new Quib::FontData();
    font->AddReference();
    font->mApp = host;
    font->ParseText(std::string(reinterpret_cast<const char*>(data), size));
    for (auto& define : font->mDefineMap)
        Quib::DescParser::ElementToText(define.second);
    font->Release();
    return 0;
}
