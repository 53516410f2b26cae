#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

std::optional<std::string> getEnv(std::string_view name);
void setEnv(std::string_view name, std::string_view value); // empty value unsets

// The per-user data folder: $APPDATA when set, else $XDG_DATA_HOME, else
// ~/.local/share; with a trailing slash, not created.
std::string userDataFolder();
// The per-user settings folder: $XDG_CONFIG_HOME, else ~/.config; trailing slash.
std::string userConfigFolder();
// The folder for run-time files such as locks and sockets: $XDG_RUNTIME_DIR, else /tmp; trailing slash.
std::string runtimeFolder();

} // namespace platform
