#include "framework/display/D3DTester.h"

#include "framework/display/DirectXErrorName.h"
#include "framework/display/DisplayHost.h"
#include "framework/display/TextureFormat.h"
#include "framework/foundation/Paths.h"
#include "framework/services/RegistrySettings.h"
#include "platform/Files.h"
#include "platform/Presenter.h"
#include "platform/RegistryStore.h"
#include "platform/Window.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

namespace Quib
{
namespace
{

constexpr int32_t kTargetSize = 100;
constexpr int32_t kTileSize = 64;
constexpr uint32_t kCacheVersion = 2;
// The GL renderer names of the software rasterisers a desktop may fall back to.
constexpr const char* kSoftwareRasterizers[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer"};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    const auto begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return "";
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

// Whether a line of the card list file names the card: it occurs in the description, in any case.
std::optional<bool> ListsCard(const char* fileName, const std::string& description)
{
    const auto bytes = platform::readFile(fileName, uint64_t(1) << 24);
    if (!bytes)
        return std::nullopt;
    const std::string lowered = Lower(description);
    std::string line;
    const auto matches = [&]
    {
        const std::string card = Lower(Trim(line.substr(0, 4000)));
        return !card.empty() && lowered.find(card) != std::string::npos;
    };
    for (uint8_t byte : *bytes)
    {
        if (byte == '\n')
        {
            if (matches())
                return true;
            line.clear();
        }
        else
            line.push_back(char(byte));
    }
    return matches();
}

// The renderer names no device identity; one is made from what it does name.
std::array<uint8_t, 16> DeviceIdentity(const std::string& text)
{
    std::array<uint8_t, 16> id{};
    uint64_t hashes[2] = {0xcbf29ce484222325ull, 0x84222325cbf29ce4ull};
    for (uint64_t& hash : hashes)
        for (char c : text)
            hash = (hash ^ uint8_t(c)) * 0x100000001b3ull;
    std::memcpy(id.data(), hashes, id.size());
    return id;
}

uint32_t Distance(uint32_t a, uint32_t b)
{
    const auto d = [&](int shift) { return int32_t((a >> shift) & 0xFF) - int32_t((b >> shift) & 0xFF); };
    return uint32_t(d(16) * d(16) + d(8) * d(8) + d(0) * d(0));
}

std::string StoredText(const std::optional<platform::RegistryStore::Value>& value)
{
    if (!value)
        return "";
    std::string text(value->data.begin(), value->data.begin() + std::min<size_t>(value->data.size(), 4096));
    if (const size_t end = text.find('\0'); end != std::string::npos)
        text.resize(end);
    return text;
}

std::optional<uint32_t> StoredNumber(const std::optional<platform::RegistryStore::Value>& value)
{
    if (!value || value->type != REG_DWORD || value->data.size() != 4)
        return std::nullopt;
    uint32_t number = 0;
    std::memcpy(&number, value->data.data(), 4);
    return number;
}

} // namespace

bool D3DTester::DrawsWithoutCard(const platform::RendererInfo& info)
{
    if (!info.accelerated)
        return true;
    // A software GL calls itself accelerated; only its name gives it away.
    const std::string device = Lower(info.device);
    return std::any_of(std::begin(kSoftwareRasterizers), std::end(kSoftwareRasterizers),
                       [&](const char* name) { return device.find(name) != std::string::npos; });
}

D3DTester::D3DTester() = default;

D3DTester::~D3DTester()
{
    ReleaseObjects();
}

void D3DTester::SetVideoMemoryLimits(uint32_t minimumMB, uint32_t recommendedMB)
{
    mMinVidMemory = minimumMB;
    mRecVidMemory = recommendedMB;
}

bool D3DTester::SetFailure(const std::string& text)
{
    mFailureReason = text;
    return false;
}

bool D3DTester::SetWarning(const std::string& text)
{
    mWarning = text;
    return true;
}

void D3DTester::ThrowOnDXError(const std::string& step, bool succeeded)
{
    if (!succeeded)
        throw TestException("DXError - " + step + ": " +
                            (mDevice != nullptr ? mDevice->lastError() : "no device"));
}

void D3DTester::ReleaseObjects()
{
    if (mDevice != nullptr)
    {
        mDevice->destroyTexture(mRenderTarget);
        mDevice->destroyTexture(mTexture);
        mDevice->setTarget(0);
    }
    mRenderTarget = 0;
    mTexture = 0;
    mRegistry.reset();
}

void D3DTester::RunTest(platform::RenderDevice* device, DisplayHost* app, const std::string& registryKey)
{
    if (app == nullptr || !app->IsPlayingDemo())
    {
        mDevice = device;
        mShouldStoreResults = false;
        if (Prepare(registryKey))
            RunRenderTests();
        else if (mUseRegistry && !mShouldStoreResults && mRegistry)
        {
            mResultsChanged = !mRegistry->read(mKeyPath, "FailureReason").has_value();
            mShouldStoreResults = true;
        }
        if (mShouldStoreResults)
            StoreVerdict();
        ReleaseObjects();
        mDevice = nullptr;
    }
    if (app != nullptr)
    {
        app->RecordOrReplayString(mFailureReason);
        app->RecordOrReplayString(mWarning);
        app->RecordOrReplayBool(mResultsChanged);
    }
}

bool D3DTester::Prepare(const std::string& registryKey)
{
    ReleaseObjects();
    mDriverYear = 0;
    try
    {
        if (mUseRegistry)
        {
            mKeyPath = "SOFTWARE\\" + StripPathSeparator(registryKey) + "\\Test3D";
            mRegistry =
                std::make_unique<platform::RegistryStore>(platform::RegistryStore::fileForKey(registryKey));
        }
        if (!mCardPresent && !mAcceptSoftwareRenderer)
            return SetFailure("DXError - CreateDevice: " + DirectXErrorName(DXResult::kNo3D));
        if (mDevice == nullptr)
            return SetFailure("No DirectDrawCreateEx");
        const platform::RendererInfo info = mDevice->info();
        mDriver = info.name;
        mDescription = info.device.empty() ? info.name : info.name + ": " + info.device;
        mDisplayGUID = DeviceIdentity(mDescription);
        // Known from the names alone, before anything is drawn or a cached verdict
        // (perhaps written before the name was known) is believed.
        if (!mAcceptSoftwareRenderer && DrawsWithoutCard(info))
            return SetFailure("DXError - CreateDevice: " + DirectXErrorName(DXResult::kNo3D));

        std::string warning;
        if (info.videoMemoryBytes >= 0)
        {
            const platform::WindowRect desktop = platform::desktopBounds();
            const uint64_t screenBytes = uint64_t(std::max(platform::desktopBitsPerPixel(), 0) / 8) *
                                         uint64_t(std::max(desktop.height, 0)) *
                                         uint64_t(std::max(desktop.width, 0));
            const uint32_t megabytes = uint32_t((screenBytes + uint64_t(info.videoMemoryBytes)) >> 20);
            if (megabytes < mMinVidMemory)
                return SetFailure("Not enough video memory.");
            if (megabytes < mRecVidMemory)
                warning = "Low video memory.";
        }
        mWarning = warning;
        if (mUseRegistry)
        {
            if (LoadCachedVerdict())
                return false;
            mShouldStoreResults = true;
        }
        mFailureReason.clear();
        mWarning = warning;
        mDriverYear = info.driverYear;
        if (!CheckCardLists(mDescription))
            SetWarning("Unsupported video card: " + mDescription);

        mRenderTarget =
            mDevice->createTexture(kTargetSize, kTargetSize, platform::TexelFormat::Argb8888, true);
        ThrowOnDXError("CreateSurface (Primary)", mRenderTarget != 0);
        mImage.Allocate(kTargetSize, kTargetSize);
        uint32_t formats = 0;
        for (platform::TexelFormat format : info.formats)
            formats |= PixelFormatType(format);
        if (!(formats & TEXTURE_A8R8G8B8))
        {
            SetWarning("A8R8G8B8 texture format not supported.");
            if (!(formats & TEXTURE_A4R4G4B4))
                return SetFailure("A4R4G4B4 and A8R8G8B8 texture formats not supported.");
        }
        const platform::TexelFormat textureFormat =
            (formats & TEXTURE_A8R8G8B8) ? platform::TexelFormat::Argb8888 : platform::TexelFormat::Argb4444;
        mTexture = mDevice->createTexture(kTileSize, kTileSize, textureFormat, false);
        ThrowOnDXError("CreateSurface (TextureSurface1)", mTexture != 0);
        return true;
    }
    catch (const TestException& e)
    {
        return SetFailure(e.what());
    }
}

bool D3DTester::LoadCachedVerdict()
{
    mResultsChanged = true;
    if (!mRegistry)
        return false;
    if (StoredNumber(mRegistry->read(mKeyPath, "Version")) != kCacheVersion ||
        StoredNumber(mRegistry->read(mKeyPath, "MinVidMemory")) != mMinVidMemory ||
        StoredNumber(mRegistry->read(mKeyPath, "RecVidMemory")) != mRecVidMemory)
        return false;
    const auto guid = mRegistry->read(mKeyPath, "DisplayGUID");
    if (!guid || guid->data.size() != mDisplayGUID.size() ||
        !std::equal(guid->data.begin(), guid->data.end(), mDisplayGUID.begin()))
        return false;
    const auto failure = mRegistry->read(mKeyPath, "FailureReason");
    const auto warning = mRegistry->read(mKeyPath, "Warning");
    if (!failure || !warning)
        return false;
    mFailureReason = StoredText(failure);
    mWarning = StoredText(warning);
    mResultsChanged = false;
    // A cached failure is tested again: the driver may have been mended since.
    return mFailureReason.empty();
}

void D3DTester::StoreVerdict()
{
    if (!mRegistry)
        return;
    const auto number = [&](const char* name, uint32_t value)
    { mRegistry->write(mKeyPath, name, REG_DWORD, &value, sizeof value); };
    number("Version", kCacheVersion);
    number("MinVidMemory", mMinVidMemory);
    number("RecVidMemory", mRecVidMemory);
    mRegistry->write(mKeyPath, "DisplayGUID", REG_BINARY, mDisplayGUID.data(), mDisplayGUID.size());
    mRegistry->write(mKeyPath, "FailureReason", REG_SZ, mFailureReason.c_str(), mFailureReason.size() + 1);
    mRegistry->write(mKeyPath, "Warning", REG_SZ, mWarning.c_str(), mWarning.size() + 1);
}

bool D3DTester::CheckCardLists(const std::string& description)
{
    if (ListsCard("vhwb.dat", description).value_or(false))
        return false;
    if (const auto listed = ListsCard("vhw.dat", description))
        return *listed;
    // A driver whose age the renderer does not tell is taken as recent.
    if (mDriverYear == 0 || mDriverYear >= 2002)
        return true;
    const std::string lowered = Lower(description);
    return lowered.find("nvidia") != std::string::npos || lowered.find("radeon") != std::string::npos ||
           lowered.find("ati ") != std::string::npos;
}

void D3DTester::BeginScene()
{
    ThrowOnDXError("SetRenderTarget", mDevice->setTarget(mRenderTarget));
    ThrowOnDXError("Clear", mDevice->setClip(nullptr) && mDevice->clear(0xFF000000));
}

void D3DTester::DrawTestImage(const D3DTestImage& image, int32_t x, int32_t y, uint32_t vertexColor,
                              platform::BlendFactors blend)
{
    const std::vector<platform::TexelFormat> formats = mDevice->info().formats;
    const bool wide =
        std::find(formats.begin(), formats.end(), platform::TexelFormat::Argb8888) != formats.end();
    for (int32_t top = 0; top < image.mHeight; top += kTileSize)
        for (int32_t left = 0; left < image.mWidth; left += kTileSize)
        {
            std::vector<uint16_t> narrow(size_t(kTileSize) * kTileSize, 0);
            std::vector<uint32_t> tile(size_t(kTileSize) * kTileSize, 0);
            for (int32_t j = 0; j < kTileSize && top + j < image.mHeight; ++j)
                for (int32_t i = 0; i < kTileSize && left + i < image.mWidth; ++i)
                {
                    const uint32_t argb =
                        image.mBits[size_t(top + j) * size_t(image.mWidth) + size_t(left + i)];
                    tile[size_t(j) * kTileSize + size_t(i)] = argb;
                    narrow[size_t(j) * kTileSize + size_t(i)] =
                        uint16_t(((argb >> 16) & 0xF000) | ((argb >> 12) & 0x0F00) | ((argb >> 8) & 0x00F0) |
                                 ((argb >> 4) & 0x000F));
                }
            ThrowOnDXError("Lock Texture",
                           wide ? mDevice->updateTexture(mTexture, tile.data(), kTileSize * 4)
                                : mDevice->updateTexture(mTexture, narrow.data(), kTileSize * 2));
            const float x0 = float(x + left), y0 = float(y + top);
            const float x1 = x0 + kTileSize, y1 = y0 + kTileSize;
            const platform::RenderVertex quad[6] = {{x0, y0, vertexColor, 0, 0}, {x0, y1, vertexColor, 0, 1},
                                                    {x1, y0, vertexColor, 1, 0}, {x1, y0, vertexColor, 1, 0},
                                                    {x0, y1, vertexColor, 0, 1}, {x1, y1, vertexColor, 1, 1}};
            ThrowOnDXError("DrawPrimitive", mDevice->drawTriangles(mTexture, false, blend, quad, 6));
        }
}

void D3DTester::CaptureRenderTarget()
{
    ThrowOnDXError("CopyPrimary Lock", mDevice->readPixels({0, 0, mImage.mWidth, mImage.mHeight},
                                                           mImage.mBits.data(), mImage.mWidth * 4));
    for (uint32_t& pixel : mImage.mBits)
        pixel |= 0xFF000000u;
}

bool D3DTester::RunBlendTest(const BlendTest& test)
{
    try
    {
        BeginScene();
        D3DTestImage tile;
        tile.Allocate(kTileSize, kTileSize);
        tile.Fill(test.mFirstColor);
        DrawTestImage(tile, 0, 0, 0xFFFFFFFF, test.mBlend);
        tile.Fill(test.mSecondColor);
        DrawTestImage(tile, 0, 0, test.mSecondVertexColor, test.mBlend);
        CaptureRenderTarget();
    }
    catch (const TestException& e)
    {
        return SetFailure(e.what());
    }
    bool uniform = true;
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x)
        {
            const uint32_t pixel = mImage.mBits[size_t(y) * size_t(mImage.mWidth) + size_t(x)];
            if (Distance(pixel, test.mExpected) > 768)
                return SetFailure(test.mFailure);
            uniform = uniform && pixel == mImage.mBits[0];
        }
    return uniform || SetWarning(test.mWarning);
}

bool D3DTester::CheckAlphaBlend()
{
    return RunBlendTest({{platform::BlendFactor::SourceAlpha, platform::BlendFactor::InverseSourceAlpha},
                         0xFF0000FF,
                         0x80FF0000,
                         0xFFFFFFFF,
                         0x7F007F,
                         "Alpha blend Not Supported",
                         "Alpha blend test not uniform."});
}

bool D3DTester::CheckAdditiveBlend()
{
    return RunBlendTest({{platform::BlendFactor::One, platform::BlendFactor::One},
                         0xFF404040,
                         0xFF404040,
                         0xFFFFFFFF,
                         0x808080,
                         "Additive blend not supported.",
                         "Additive blend test not uniform."});
}

bool D3DTester::CheckAlphaAddBlend()
{
    return RunBlendTest({{platform::BlendFactor::SourceAlpha, platform::BlendFactor::One},
                         0xFF404040,
                         0x80808080,
                         0xFFFFFFFF,
                         0x808080,
                         "AlphaAdd blend not supported.",
                         "AlphaAdd blend test not uniform."});
}

bool D3DTester::CheckAlphaModulatedBlend()
{
    return RunBlendTest({{platform::BlendFactor::SourceAlpha, platform::BlendFactor::InverseSourceAlpha},
                         0xFF0000FF,
                         0xFFFF0000,
                         0x80FFFFFF,
                         0x7F007F,
                         "AlphaModulated blend not supported.",
                         "AlphaModulated blend test not uniform."});
}

bool D3DTester::CheckClipping()
{
    try
    {
        BeginScene();
        D3DTestImage stripes;
        stripes.Allocate(kTileSize, kTileSize);
        for (int32_t y = 0; y < kTileSize; ++y)
            for (int32_t x = 0; x < kTileSize; ++x)
                stripes.mBits[size_t(y) * kTileSize + size_t(x)] = (x % 2 == 0) ? 0xFF000000u : 0xFFFFFFFFu;
        DrawTestImage(stripes, -2, -2, 0xFFFFFFFF,
                      {platform::BlendFactor::SourceAlpha, platform::BlendFactor::InverseSourceAlpha});
        CaptureRenderTarget();
    }
    catch (const TestException& e)
    {
        return SetFailure(e.what());
    }
    for (int32_t y = 0; y < kTileSize - 2; ++y)
        for (int32_t x = 0; x < kTileSize - 2; ++x)
        {
            const uint32_t expected = (x % 2 == 0) ? 0xFF000000u : 0xFFFFFFFFu;
            if (Distance(mImage.mBits[size_t(y) * size_t(mImage.mWidth) + size_t(x)], expected) > 768)
                return SetWarning("Clip problem detected.");
        }
    return true;
}

void D3DTester::RunRenderTests()
{
    for (const auto check :
         {&D3DTester::CheckAlphaBlend, &D3DTester::CheckAdditiveBlend, &D3DTester::CheckAlphaAddBlend,
          &D3DTester::CheckAlphaModulatedBlend, &D3DTester::CheckClipping})
        if (!(this->*check)())
            return;
}

} // namespace Quib
