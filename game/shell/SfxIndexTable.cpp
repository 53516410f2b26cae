#include "game/shell/SfxIndexTable.h"

#include "game/shell/PropertyFile.h"

#include <algorithm>
#include <limits>

void SfxIndexTable::Load(const std::string& fileName)
{
    ReadPropertyFile(fileName, [this](const std::string& key, const std::string& value)
                     { mIndexes[key] = ParseValue(value); });
}

int32_t SfxIndexTable::Lookup(const std::string& key) const
{
    const auto found = mIndexes.find(key);
    return found == mIndexes.end() ? -1 : found->second;
}

void SfxIndexTable::Set(const std::string& key, int32_t value)
{
    mIndexes[key] = value;
}

int32_t SfxIndexTable::ParseValue(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
    const int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
    return int32_t(value);
}
