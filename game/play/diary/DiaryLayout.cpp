#include "game/play/diary/DiaryLayout.h"

#include <algorithm>

std::vector<std::string> DiaryLayout::WrapText(const std::string& text, int32_t width,
                                               const std::function<int32_t(const std::string&)>& measure)
{
    std::vector<std::string> lines;
    size_t start = 0;
    size_t lastSpace = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '\n')
        {
            lines.push_back(text.substr(start, i - start));
            lines.emplace_back();
            start = i + 1;
            lastSpace = std::string::npos;
            continue;
        }
        if (lastSpace != std::string::npos && lastSpace > start &&
            measure(text.substr(start, i - start)) >= width)
        {
            lines.push_back(text.substr(start, lastSpace - start));
            start = lastSpace + 1;
            lastSpace = std::string::npos;
        }
        if (c == ' ' || c == '\t')
            lastSpace = i;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<DiaryEntry> DiaryLayout::BuildPages(const std::map<std::string, std::string>& texts,
                                                int32_t entryCount, Quib::Font* earlyFont,
                                                Quib::Font* lateFont, const Measure& measure)
{
    std::vector<DiaryEntry> pages;
    const int32_t count = std::min(entryCount, kMaxEntries);
    int32_t position = 0;
    for (int32_t k = 1; k <= count; ++k)
    {
        const auto found = texts.find("ENTRY" + std::to_string(k));
        if (found == texts.end())
            continue;
        Quib::Font* font = position < kFirstLateEntry ? earlyFont : lateFont;
        ++position;
        const std::vector<std::string> lines = WrapText(
            found->second, kColumnWidth, [&](const std::string& part) { return measure(font, part); });
        for (size_t first = 0; first < lines.size(); first += kLinesPerPage)
        {
            DiaryEntry page;
            page.mPageNumber = int32_t(pages.size()) + 1;
            page.mFont = font;
            const size_t end = std::min(lines.size(), first + kLinesPerPage);
            page.mLines.assign(lines.begin() + std::ptrdiff_t(first), lines.begin() + std::ptrdiff_t(end));
            pages.push_back(std::move(page));
        }
    }
    if (pages.empty())
    {
        pages.push_back({0, {std::string()}, lateFont});
        pages.push_back({1, {std::string()}, lateFont});
    }
    else if (pages.size() % 2 == 1)
    {
        pages.push_back({int32_t(pages.size()) + 1, {std::string()}, lateFont});
    }
    return pages;
}
