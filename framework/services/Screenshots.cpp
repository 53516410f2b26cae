#include "framework/services/Screenshots.h"

#include "framework/foundation/Paths.h"
#include "framework/resources/ImageLib.h"
#include "platform/Files.h"

#include <algorithm>
#include <climits>

namespace Quib
{
namespace
{

// "image" + decimal digits + ".png", any letter case; false for other names.
bool screenshotNumber(const std::string& name, int& number)
{
    const std::string prefix = "image";
    const std::string suffix = ".png";
    if (name.size() <= prefix.size() + suffix.size())
        return false;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    if (lower.compare(0, prefix.size(), prefix) != 0 ||
        lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    long long value = 0;
    for (size_t i = prefix.size(); i < lower.size() - suffix.size(); ++i)
    {
        if (lower[i] < '0' || lower[i] > '9')
            return false;
        value = std::min<long long>(value * 10 + (lower[i] - '0'), INT_MAX - 1);
    }
    number = int(value);
    return true;
}

} // namespace

int NextScreenshotNumber(const std::string& folder)
{
    int highest = 0;
    for (const platform::DirectoryEntry& entry : platform::listDirectory(platform::nativePath(folder)))
    {
        int number = 0;
        if (!entry.isDirectory && screenshotNumber(entry.name, number))
            highest = std::max(highest, number);
    }
    return highest + 1;
}

std::string SaveScreenshot(const std::string& sharedDataFolder, const ImageLib::Image& frame)
{
    const std::string folder = sharedDataFolder + "_screenshots";
    MakeDirectories(folder);
    const std::string name = folder + "/image" + std::to_string(NextScreenshotNumber(folder)) + ".png";
    // Written beside its final name and renamed, so that no half-written
    // picture is ever left under a numbered name.
    const std::string partial = name + ".part";
    if (!ImageLib::SavePngFile(partial, frame))
    {
        platform::removeFile(platform::nativePath(partial));
        return "";
    }
    if (!platform::renameFile(platform::nativePath(partial), platform::nativePath(name)))
    {
        platform::removeFile(platform::nativePath(partial));
        return "";
    }
    return name;
}

} // namespace Quib
