#include "game/minigames/common/LevelAttributes.h"

#include <climits>
#include <cstdint>

int LevelInteger(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT_MAX) + 1)
            value = int64_t(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return int(value);
}

int LevelAttribute(const Quib::XMLItem& item, const char* name, int fallback)
{
    auto it = item.mAttributes.find(name);
    return it == item.mAttributes.end() ? fallback : LevelInteger(it->second);
}

bool HasLevelAttribute(const Quib::XMLItem& item, const char* name)
{
    return item.mAttributes.count(name) != 0;
}
