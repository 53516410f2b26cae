#include "framework/foundation/Paths.h"

#include "framework/foundation/PlatformVersion.h"
#include "platform/Files.h"

std::string gSharedDataFolder;

namespace Quib
{

namespace
{

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool endsWithSeparator(const std::string& path)
{
    return !path.empty() && isSeparator(path.back());
}

bool hasDrive(const std::string& path)
{
    return path.size() > 1 && path[1] == ':';
}

size_t lastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

// Drops the last component of a path that ends in a separator, keeping the
// separator before it (or nothing when it was the first component). A last
// component of ".." cannot be dropped and gets another ".." after it.
void climbOneLevel(std::string& path, char separator)
{
    const size_t finalSeparator = path.size() - 1;
    const size_t previous =
        finalSeparator == 0 ? std::string::npos : path.find_last_of("\\/", finalSeparator - 1);
    const size_t start = previous == std::string::npos ? 0 : previous + 1;
    if (path.compare(start, finalSeparator - start, "..") == 0)
    {
        path += "..";
        path += separator;
    }
    else
    {
        path.erase(start);
    }
}

} // namespace

std::string GetSharedDataFolder()
{
    return gSharedDataFolder;
}

void SetSharedDataFolder(const std::string& path)
{
    if (!IsVistaOrLater())
        return;
    gSharedDataFolder = path;
    if (!path.empty() && !endsWithSeparator(path))
        gSharedDataFolder += '\\';
}

std::string GetCurrentFolder()
{
    return platform::currentDirectory();
}

std::string ResolveRelativePath(const std::string& relative, const std::string& base)
{
    if (hasDrive(relative))
        return relative;

    const char separator =
        (relative.find('\\') != std::string::npos || base.find('\\') != std::string::npos) ? '\\' : '/';

    std::string drive;
    std::string folder = base;
    if (hasDrive(folder))
    {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    if (!folder.empty() && !endsWithSeparator(folder))
        folder += separator;

    std::string rest = relative;
    while (!folder.empty())
    {
        const size_t end = rest.find_first_of("\\/");
        if (end == std::string::npos)
            break;
        const std::string component = rest.substr(0, end);
        rest.erase(0, end + 1);
        if (component == "..")
            climbOneLevel(folder, separator);
        else if (component == ".")
            continue;
        else
        {
            if (component.empty())
                folder.assign(1, separator);
            else
                folder += component + separator;
            break;
        }
    }

    std::string result = drive + folder + rest;
    const char other = separator == '/' ? '\\' : '/';
    for (char& c : result)
    {
        if (c == other)
            c = separator;
    }
    return result;
}

bool DeleteDirectoryTree(const std::string& folder)
{
    if (folder.size() < 2 || !platform::directoryExists(folder))
        return false;
    const std::string prefix = endsWithSeparator(folder) ? folder : folder + '/';
    bool ok = true;
    for (const auto& entry : platform::listDirectory(folder))
    {
        // Every path is read with "\" as a separator, so a name holding one
        // would address something else, possibly outside the tree: leave it.
        if (entry.name.find('\\') != std::string::npos)
        {
            ok = false;
            continue;
        }
        const std::string path = prefix + entry.name;
        // A link to a folder is listed as a folder; unlinking it first removes
        // the link itself, while a real folder refuses and is emptied instead.
        if (entry.isDirectory && !platform::removeFile(path))
            ok = DeleteDirectoryTree(path) && ok;
        else if (!entry.isDirectory && !platform::removeFile(path))
            ok = false;
    }
    return platform::removeDirectory(folder) && ok;
}

void MakeDirectories(const std::string& path)
{
    if (!path.empty())
        platform::createDirectories(path);
}

std::string FileNameNoExtension(const std::string& path)
{
    const size_t separator = lastSeparator(path);
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator))
    {
        const size_t start = separator == std::string::npos ? 0 : separator + 1;
        return path.substr(start, dot - start);
    }
    if (separator != std::string::npos)
        return path.substr(separator + 1);
    return path;
}

std::string DirectoryOfPath(const std::string& path)
{
    const size_t separator = lastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string StripPathSeparator(const std::string& path)
{
    return endsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
}

std::string EnsurePathSeparator(const std::string& path)
{
    return (path.empty() || endsWithSeparator(path)) ? path : path + '\\';
}

int64_t GetFileModifiedTime(const std::string& path)
{
    const auto info = platform::fileInfo(path);
    return info ? info->modifiedSeconds : 0;
}

} // namespace Quib
