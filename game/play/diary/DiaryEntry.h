#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{
class Font;
}

// One page of the diary: its number, its lines and the hand it is written in.
struct DiaryEntry
{
    int32_t mPageNumber = 0;
    std::vector<std::string> mLines;
    Quib::Font* mFont = nullptr;
};
