#include "framework/services/DesktopServices.h"

#include "framework/services/DemoRecorder.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"

namespace Quib
{

DesktopServices::DesktopServices(DemoRecorder& demo, Clipboard clipboard)
    : mDemo(demo), mClipboard(std::move(clipboard))
{
    if (!mClipboard.mGetText)
        mClipboard.mGetText = [] { return platform::clipboardText(); };
    if (!mClipboard.mSetText)
        mClipboard.mSetText = [](const std::string& text) { return platform::setClipboardText(text); };
}

bool DesktopServices::OpenUrl(const std::string& url, bool shutDownAfter, uint32_t now)
{
    if (mOpening && url == mUrl)
        return true;
    mShutDownAfterOpening = shutDownAfter;
    mOpening = true;
    mUrl = url;
    mOpenTime = now;
    // The opener would take an address that begins with '-' for an option.
    if (!url.empty() && url.front() != '-')
        mOpener = platform::openUrl(url);
    if (url.empty() || url.front() == '-' || !mOpener.started())
    {
        OnUrlOpenFailed();
        return false;
    }
    return true;
}

bool DesktopServices::OpenerRefused()
{
    const std::optional<int> code = mOpener.poll();
    return code.has_value() && *code != 0;
}

bool DesktopServices::OnUrlOpened()
{
    mOpening = false;
    return mShutDownAfterOpening;
}

void DesktopServices::CopyToClipboard(const std::string& text)
{
    if (mDemo.IsPlaying())
        return;
    mClipboard.mSetText(text);
}

std::string DesktopServices::GetClipboardText()
{
    std::string text = mDemo.StandsInForOutside() ? std::string() : mClipboard.mGetText();
    mDemo.RecordOrReplayString(text);
    return text;
}

bool DesktopServices::SetDesktopWallpaper(const std::string& picturePath)
{
    return platform::setDesktopWallpaper(picturePath);
}

} // namespace Quib
