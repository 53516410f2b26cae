#include "platform/Desktop.h"

#include "platform/Environment.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform
{
namespace
{

std::mutex gRunnerMutex;
CommandRunner gRunner;

bool spawnAndWait(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return false;
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The child must not inherit our standard input, and what it prints is not ours.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
    {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

bool openUrl(const std::string& url)
{
    if (url.empty())
        return false;
    return runCommand({"xdg-open", url});
}

bool setDesktopWallpaper(const std::string& path)
{
    if (path.empty() || !isValidUtf8(path))
        return false;
    bool useRunner;
    {
        std::lock_guard<std::mutex> lock(gRunnerMutex);
        useRunner = static_cast<bool>(gRunner);
    }
    if (!useRunner && !commandExists("gsettings"))
        return false;
    const std::string uri = "file://" + path;
    return runCommand({"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri}) &&
           runCommand({"gsettings", "set", "org.gnome.desktop.background", "picture-options", "stretched"});
}

} // namespace platform
