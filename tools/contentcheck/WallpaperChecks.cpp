#include "framework/resources/ImageLib.h"
#include "tools/contentcheck/PackChecks.h"

namespace contentcheck
{

void checkWallpapers(Problems& problems)
{
    for (int page = 0; page < kWallpaperPages; ++page)
    {
        const std::string path = "Bonus/Wallpaper" + std::to_string(page) + ".jpg";
        std::unique_ptr<ImageLib::Image> picture = ImageLib::ReadJpegImage(path);
        if (!picture)
            problems.push_back(path + ": no JPEG picture for the wallpaper gallery");
        else if (picture->GetWidth() < 1024 || picture->GetWidth() * 3 != picture->GetHeight() * 4)
            problems.push_back(
                path + ": " + std::to_string(picture->GetWidth()) + " x " +
                std::to_string(picture->GetHeight()) +
                " is no 4:3 desktop size of at least 1024 x 768, which the gallery's frame needs");
    }
}

} // namespace contentcheck
