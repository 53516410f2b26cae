#include "game/frontend/WallpaperInstaller.h"

#include "framework/app/QuibAppBase.h"
#include "framework/files/PakFile.h"
#include "framework/foundation/Paths.h"
#include "game/records/DataFolder.h"
#include "platform/Files.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace
{

// A wallpaper is a few hundred kilobytes; anything far larger is not one of ours.
constexpr size_t kMaxWallpaperBytes = size_t(32) << 20;

} // namespace

std::string WallpaperPicturePath(int page)
{
    return Quib::GetCurrentFolder() + "\\Bonus\\Wallpaper" + std::to_string(page) + ".jpg";
}

std::string WallpaperCopyPath(int page)
{
    return GetDataFolder() + "\\Wallpaper" + std::to_string(page) + ".jpg";
}

WallpaperOutcome InstallWallpaper(int page)
{
    const std::optional<std::vector<uint8_t>> picture =
        PakReadWholeFile(WallpaperPicturePath(page), kMaxWallpaperBytes);
    if (!picture || picture->empty() || !CreateDataFolder())
        return WallpaperOutcome::NotCopied;
    const std::string target = WallpaperCopyPath(page);
    if (!platform::writeFileAtomic(target, picture->data(), picture->size()))
        return WallpaperOutcome::NotCopied;
    const std::optional<std::vector<uint8_t>> copy = platform::readFile(target, picture->size() + 1);
    if (!copy || *copy != *picture)
        return WallpaperOutcome::NotCopied;
    return Quib::gApp->SetDesktopWallpaper(target) ? WallpaperOutcome::Set : WallpaperOutcome::NotSet;
}
