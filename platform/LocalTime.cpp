#include "platform/LocalTime.h"

#include <ctime>

namespace platform
{
namespace
{

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

std::string format(const char* pattern)
{
    const std::tm parts = localNow();
    char text[64];
    const size_t length = std::strftime(text, sizeof(text), pattern, &parts);
    return std::string(text, length);
}

} // namespace

std::string localDateTimeText()
{
    // asctime pads the day of the month with a space, as %e does.
    return format("%a %b %e %H:%M:%S %Y\n");
}

std::string localTimeOfDayText()
{
    return format("%H:%M:%S");
}

} // namespace platform
