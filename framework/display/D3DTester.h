#pragma once

#include "framework/display/D3DTestImage.h"
#include "platform/RenderDevice.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace platform
{
class RegistryStore;
}

namespace Quib
{

class DisplayHost;

// Decides whether the graphics card can be trusted with the hardware path: it
// identifies the device, checks its memory and the card lists, and renders four
// blend tests and a clipping test into a 100 x 100 target read back pixel by
// pixel. The verdict, a failure (stay in software) and a warning (works, not
// recommended), is cached per device in the settings store and passed through
// the demo stream. What the renderer cannot tell (video memory, the driver's
// age) passes.
class D3DTester
{
public:
    class TestException : public std::exception
    {
    public:
        explicit TestException(std::string message) : mMessage(std::move(message)) {}
        const char* what() const noexcept override { return mMessage.c_str(); }

    private:
        std::string mMessage;
    };

    D3DTester();
    ~D3DTester();
    D3DTester(const D3DTester&) = delete;
    D3DTester& operator=(const D3DTester&) = delete;

    void SetVideoMemoryLimits(uint32_t minimumMB, uint32_t recommendedMB);
    // The whole test on the device (null: no device), for the application behind
    // the settings key.
    void RunTest(platform::RenderDevice* device, DisplayHost* app, const std::string& registryKey);

    // The renderer draws on the processor: a hardware path on it would cost more
    // than the software one and gain nothing.
    static bool DrawsWithoutCard(const platform::RendererInfo& info);

    bool SetFailure(const std::string& text);
    bool SetWarning(const std::string& text);
    // Throws "DXError - " + step + ": " + the device's reason when the step failed.
    void ThrowOnDXError(const std::string& step, bool succeeded);
    void ReleaseObjects();

    bool Prepare(const std::string& registryKey);
    bool LoadCachedVerdict();
    void StoreVerdict();
    bool CheckCardLists(const std::string& description);
    void RunRenderTests();
    bool CheckAlphaBlend();
    bool CheckAdditiveBlend();
    bool CheckAlphaAddBlend();
    bool CheckAlphaModulatedBlend();
    bool CheckClipping();

    platform::RenderDevice* mDevice = nullptr;
    platform::TextureId mRenderTarget = 0;
    platform::TextureId mTexture = 0;
    std::unique_ptr<platform::RegistryStore> mRegistry;
    std::string mKeyPath;
    std::array<uint8_t, 16> mDisplayGUID{};
    std::string mDriver;
    std::string mDescription;
    D3DTestImage mImage;
    std::string mFailureReason;
    std::string mWarning;
    uint32_t mMinVidMemory = 0;
    uint32_t mRecVidMemory = 0;
    bool mUseRegistry = true;
    // Lets a software renderer be tested like a card (for measuring the test itself).
    bool mAcceptSoftwareRenderer = false;
    // The machine has a graphics card; without one the test fails before it looks at a device.
    bool mCardPresent = true;
    bool mShouldStoreResults = false;
    bool mResultsChanged = false; // the verdict is fresh, not taken from the cache
    int32_t mDriverYear = 0;

private:
    struct BlendTest
    {
        platform::BlendFactors mBlend;
        uint32_t mFirstColor;
        uint32_t mSecondColor;
        uint32_t mSecondVertexColor;
        uint32_t mExpected;
        const char* mFailure;
        const char* mWarning;
    };
    bool RunBlendTest(const BlendTest& test);
    void BeginScene();
    void DrawTestImage(const D3DTestImage& image, int32_t x, int32_t y, uint32_t vertexColor,
                       platform::BlendFactors blend);
    void CaptureRenderTarget();
};

} // namespace Quib
