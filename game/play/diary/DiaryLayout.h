#pragma once

#include "game/play/diary/DiaryEntry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Quib
{
class Font;
}

// How the diary's texts become pages: lines broken at spaces to the column's
// width, pages of a fixed number of lines, the hand switching for the last
// entries, and always an even number of pages so that the book shows pairs.
struct DiaryLayout
{
    static constexpr int32_t kMaxEntries = 61;
    // Texts from this position on (counted from 0) are written in the second hand.
    static constexpr int32_t kFirstLateEntry = 51;
    static constexpr int32_t kColumnWidth = 238;
    static constexpr int32_t kLinesPerPage = 20;
    static constexpr int32_t kLineHeight = 14;

    using Measure = std::function<int32_t(Quib::Font* font, const std::string& text)>;

    // Breaks one text into lines: a newline ends its line and leaves an empty
    // line after it; a line that has reached the width ends before its last
    // space, but a word is never split, however wide.
    static std::vector<std::string> WrapText(const std::string& text, int32_t width,
                                             const std::function<int32_t(const std::string&)>& measure);

    // The pages of the first `entryCount` (at most 61) texts "ENTRY1", "ENTRY2"
    // and so on; a missing key is skipped.
    static std::vector<DiaryEntry> BuildPages(const std::map<std::string, std::string>& texts,
                                              int32_t entryCount, Quib::Font* earlyFont, Quib::Font* lateFont,
                                              const Measure& measure);
};
