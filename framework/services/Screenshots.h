#pragma once

#include <string>

namespace ImageLib
{
class Image;
}

namespace Quib
{

// The number after the highest "image<N>.png" in the folder plus one; 1 when
// there is none.
int NextScreenshotNumber(const std::string& folder);

// Writes the frame as the next numbered PNG below the shared data folder's
// "_screenshots", atomically. Returns the file's name, or "" when it could not
// be written.
std::string SaveScreenshot(const std::string& sharedDataFolder, const ImageLib::Image& frame);

} // namespace Quib
