#include "framework/app/QuibAppBase.h"
#include "platform/Clock.h"

namespace Quib
{

bool QuibAppBase::OpenUrl(const std::string& url, bool shutDownAfter)
{
    return mDesktop.OpenUrl(url, shutDownAfter, platform::tickCount());
}

void QuibAppBase::OnUrlOpened()
{
    if (mDesktop.OnUrlOpened())
        Shutdown();
}

void QuibAppBase::OnUrlOpenFailed()
{
    mDesktop.OnUrlOpenFailed();
}

std::string QuibAppBase::ReadProductVersion(const std::string& path)
{
    // Executables here carry no version resource.
    (void)path;
    return "";
}

bool QuibAppBase::SetDesktopWallpaper(const std::string& picturePath)
{
    return mDesktop.SetDesktopWallpaper(picturePath);
}

} // namespace Quib
