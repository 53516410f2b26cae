#include "framework/foundation/NumberText.h"

#include <cstdint>

namespace Quib
{

bool ParseInt(std::string text, int& number)
{
    number = 0;
    if (text.empty())
        return false;
    const bool negative = text[0] == '-';
    uint32_t value = 0;
    uint32_t base = 10;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i)
    {
        const char c = text[i];
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = uint32_t(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = uint32_t(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = uint32_t(c - 'A' + 10);
        else if ((c == 'x' || c == 'X') && i == 1 && value == 0)
        {
            base = 16;
            continue;
        }
        else
            return false;
        value = value * base + digit;
    }
    if (negative)
        value = 0u - value;
    number = static_cast<int>(value);
    return true;
}

bool ParseDouble(std::string text, double& number)
{
    number = 0.0;
    if (text.empty())
        return false;
    const bool negative = text[0] == '-';
    size_t i = negative ? 1 : 0;
    double value = 0.0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10.0 + double(text[i] - '0');
    if (i < text.size())
    {
        if (text[i] != '.')
            return false;
        double factor = 0.1;
        for (++i; i < text.size(); ++i)
        {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value += double(text[i] - '0') * factor;
            factor /= 10.0;
        }
    }
    number = negative ? -value : value;
    return true;
}

std::string GroupThousands(int number)
{
    if (number < 0)
        return std::string();
    std::string reversed;
    int produced = 0;
    do
    {
        if (produced > 0 && produced % 3 == 0)
            reversed += ',';
        reversed += char('0' + number % 10);
        number /= 10;
        ++produced;
    } while (number != 0);
    return std::string(reversed.rbegin(), reversed.rend());
}

} // namespace Quib
