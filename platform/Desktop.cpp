#include "platform/Desktop.h"

#include "platform/ChildProcess.h"
#include "platform/Environment.h"
#include "platform/Files.h"

#include <cctype>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace platform
{
namespace
{

std::mutex gRunnerMutex;
CommandRunner gRunner;

bool spawnAndWait(const std::vector<std::string>& argv)
{
    ChildProcess child(argv);
    return child.started() && child.wait() == 0;
}

bool isValidUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size())
    {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t extra;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (text.size() - i <= extra)
            return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// The file a program path names, as an absolute path with "/" separators and
// no "." or ".." left, so that it means the same to another process.
std::string absoluteFilePath(const std::string& path)
{
    std::filesystem::path native(nativePath(path));
    if (native.is_relative())
        native = std::filesystem::path(currentDirectory()) / native;
    return native.lexically_normal().string();
}

// Every byte outside the unreserved characters and "/" as %XX.
std::string uriEscaped(const std::string& path)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const char c : path)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
        {
            out += c;
        }
        else
        {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

} // namespace

void setCommandRunner(CommandRunner runner)
{
    std::lock_guard<std::mutex> lock(gRunnerMutex);
    gRunner = std::move(runner);
}

bool runCommand(const std::vector<std::string>& argv)
{
    CommandRunner runner;
    {
        std::lock_guard<std::mutex> lock(gRunnerMutex);
        runner = gRunner;
    }
    return runner ? runner(argv) : spawnAndWait(argv);
}

bool commandExists(const std::string& name)
{
    auto path = getEnv("PATH").value_or("/usr/local/bin:/usr/bin:/bin");
    size_t pos = 0;
    while (pos <= path.size())
    {
        size_t next = path.find(':', pos);
        if (next == std::string::npos)
            next = path.size();
        std::string candidate = path.substr(pos, next - pos) + "/" + name;
        if (next > pos && ::access(candidate.c_str(), X_OK) == 0)
            return true;
        pos = next + 1;
    }
    return false;
}

ChildProcess openUrl(const std::string& url)
{
    if (url.empty())
        return {};
    return ChildProcess({"xdg-open", url});
}

bool setDesktopWallpaper(const std::string& path)
{
    if (path.empty() || !isValidUtf8(path))
        return false;
    const std::string file = absoluteFilePath(path);
    if (!fileExists(file))
        return false;
    bool useRunner;
    {
        std::lock_guard<std::mutex> lock(gRunnerMutex);
        useRunner = static_cast<bool>(gRunner);
    }
    if (!useRunner && !commandExists("gsettings"))
        return false;
    const std::string uri = "file://" + uriEscaped(file);
    return runCommand({"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri}) &&
           runCommand({"gsettings", "set", "org.gnome.desktop.background", "picture-options", "stretched"});
}

} // namespace platform
