#pragma once

#include <string>

// What the options need of the application: its error message and its screen mode.
class OptionsHost
{
public:
    virtual ~OptionsHost() = default;
    virtual void ShowOptionsError(const std::string& text) = 0;
    virtual bool IsWindowedMode() const = 0;
    virtual void SwitchScreenMode(bool windowed, bool is3D, bool force) = 0;
};
