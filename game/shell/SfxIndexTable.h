#pragma once

#include <cstdint>
#include <map>
#include <string>

// Each scene's index into the list of ambient sound loops, by scene name.
class SfxIndexTable
{
public:
    static constexpr const char* kFileName = "properties/SFX.xml";

    // A missing file leaves the table empty: every scene then has no loop.
    void Load(const std::string& fileName = kFileName);
    // -1 for a key without an entry.
    int32_t Lookup(const std::string& key) const;
    void Set(const std::string& key, int32_t value);

    // Optional blanks and sign, then decimal digits; anything else reads 0.
    // Values beyond 32 bits stop at the nearest limit.
    static int32_t ParseValue(const std::string& text);

private:
    std::map<std::string, int32_t> mIndexes;
};
