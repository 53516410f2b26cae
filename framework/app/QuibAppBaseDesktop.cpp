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

bool QuibAppBase::SetDesktopWallpaper(const std::string& picturePath)
{
    return mDesktop.SetDesktopWallpaper(picturePath);
}

} // namespace Quib
