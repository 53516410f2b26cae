#include "platform/Environment.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform
{
namespace
{

std::string withSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string homeFolder()
{
    if (auto home = getEnv("HOME"); home && !home->empty())
        return *home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

} // namespace

std::optional<std::string> getEnv(std::string_view name)
{
    const char* value = ::getenv(std::string(name).c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

void setEnv(std::string_view name, std::string_view value)
{
    if (value.empty())
        ::unsetenv(std::string(name).c_str());
    else
        ::setenv(std::string(name).c_str(), std::string(value).c_str(), 1);
}

std::string userDataFolder()
{
    if (auto appData = getEnv("APPDATA"); appData && !appData->empty())
        return withSlash(*appData);
    if (auto xdg = getEnv("XDG_DATA_HOME"); xdg && !xdg->empty())
        return withSlash(*xdg);
    return withSlash(homeFolder()) + ".local/share/";
}

std::string userConfigFolder()
{
    if (auto xdg = getEnv("XDG_CONFIG_HOME"); xdg && !xdg->empty())
        return withSlash(*xdg);
    return withSlash(homeFolder()) + ".config/";
}

std::string runtimeFolder()
{
    if (auto xdg = getEnv("XDG_RUNTIME_DIR"); xdg && !xdg->empty())
        return withSlash(*xdg);
    return "/tmp/";
}

} // namespace platform
