#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The desktop clipboard's text in the framework's Windows-1252 form.
// Characters that form cannot hold read as '?'. Main thread only.
std::string clipboardText();
bool setClipboardText(std::string_view text);

} // namespace platform
