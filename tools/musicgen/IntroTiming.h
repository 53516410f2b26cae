#pragma once

#include <string>
#include <vector>

namespace musicgen
{

// When the intro's steps happen, in seconds from its start: the bands open,
// each text is revealed at 50 ms a letter and stays two seconds, the bands close.
struct IntroTiming
{
    std::vector<double> textStarts;
    double closingStart = 0;
    double end = 0;
};

// The lengths of the three intro texts in a strings file's text (entities count as one letter).
std::vector<int> IntroTextLengths(const std::string& stringsXml);
IntroTiming TimeIntro(const std::vector<int>& textLengths);

} // namespace musicgen
