#pragma once

#include <string>

namespace Quib
{

// Strict parsers for numbers in data files: no white space, no "+", no
// exponent. On failure they return false and set the number to 0.

// Decimal, or hexadecimal after a leading "0x" (or "-x"); 32-bit wrapping.
bool ParseInt(std::string text, int& number);
// Decimal with an optional fraction; "5." and ".5" are accepted.
bool ParseDouble(std::string text, double& number);

// "1,234,567"; a negative number gives the empty string.
std::string GroupThousands(int number);

} // namespace Quib
