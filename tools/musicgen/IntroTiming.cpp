#include "tools/musicgen/IntroTiming.h"

namespace musicgen
{

namespace
{

constexpr double kOpening = 1.5;
constexpr double kLetter = 0.05;
constexpr double kPause = 2.0;
constexpr double kClosing = 1.5;
// A step of a sequence hands over to the next one update (10 ms) later.
constexpr double kHandOver = 0.03;

int LettersOf(const std::string& value)
{
    int letters = 0;
    for (size_t i = 0; i < value.size(); ++i, ++letters)
    {
        if (value[i] != '&')
            continue;
        const size_t end = value.find(';', i);
        if (end != std::string::npos)
            i = end;
    }
    return letters;
}

} // namespace

std::vector<int> IntroTextLengths(const std::string& stringsXml)
{
    std::vector<int> lengths;
    for (int n = 1; n <= 3; ++n)
    {
        const std::string key = "<IntroSequenceText_" + std::to_string(n) + " value=\"";
        const size_t at = stringsXml.find(key);
        if (at == std::string::npos)
            return {};
        const size_t begin = at + key.size();
        const size_t end = stringsXml.find('"', begin);
        if (end == std::string::npos)
            return {};
        lengths.push_back(LettersOf(stringsXml.substr(begin, end - begin)));
    }
    return lengths;
}

IntroTiming TimeIntro(const std::vector<int>& textLengths)
{
    IntroTiming timing;
    double at = kOpening + kHandOver;
    for (int length : textLengths)
    {
        timing.textStarts.push_back(at);
        at += length * kLetter + kPause + kHandOver;
    }
    timing.closingStart = at;
    timing.end = at + kClosing;
    return timing;
}

} // namespace musicgen
