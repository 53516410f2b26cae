#pragma once

#include <string>

// Making one of the gallery's wallpapers the desktop's: the picture is copied
// from the game's data (loose or in the archive) into the player's data
// folder, the copy is read back and compared, and only a sound copy is handed
// to the desktop.
enum class WallpaperOutcome
{
    Set,
    // The picture could not be read, written or read back whole.
    NotCopied,
    // The copy is in the data folder, but the desktop offers no way to set it.
    NotSet,
};

// The working folder + "\Bonus\Wallpaper" + page + ".jpg".
std::string WallpaperPicturePath(int page);
// The data folder + "\Wallpaper" + page + ".jpg".
std::string WallpaperCopyPath(int page);
WallpaperOutcome InstallWallpaper(int page);
