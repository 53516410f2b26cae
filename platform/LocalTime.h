#pragma once

#include <string>

namespace platform
{

// The local date and time as the C library's asctime writes it, line break
// included: "Thu Dec 10 14:32:10 2026\n".
std::string localDateTimeText();
// The local time of day as "hh:mm:ss".
std::string localTimeOfDayText();

} // namespace platform
