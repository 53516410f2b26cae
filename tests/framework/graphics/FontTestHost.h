#pragma once

#include "framework/graphics/FontHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImage.h"
#include "platform/Files.h"
#include "tests/support/GoldenImage.h"

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Shows errors into a list and loads layer images from PNG files, sharing them by name.
class FakeFontHost : public Quib::FontHost
{
public:
    ~FakeFontHost() override
    {
        for (auto& entry : mEntries)
            delete entry.second->mImage;
    }

    void ShowError(const std::string& text) override { errors.push_back(text); }

    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string&,
                                           bool* isNew) override
    {
        Quib::SharedImageHandle handle;
        *isNew = false;
        auto it = mEntries.find(fileName);
        if (it == mEntries.end())
        {
            std::vector<uint32_t> pixels;
            int width = 0;
            int height = 0;
            if (!testsupport::ReadPng(platform::nativePath(fileName), pixels, width, height))
                return handle;
            auto* image = new Quib::MemoryImage();
            image->SetBits(pixels.data(), width, height, true);
            auto entry = std::make_unique<Quib::SharedImageEntry>();
            entry->mImage = image;
            it = mEntries.emplace(fileName, std::move(entry)).first;
            *isNew = true;
        }
        handle = it->second.get();
        return handle;
    }

    std::vector<std::string> errors;

private:
    std::map<std::string, std::unique_ptr<Quib::SharedImageEntry>> mEntries;
};

// Writes text to a file under the test's temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text)
{
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
