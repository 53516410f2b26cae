// Resolves a report read back from disk, with the input standing in for the
// address tool's answers and the symbol listing as well, so that every reader
// of those texts meets whatever the input holds.
#include "framework/crash/ReportSymbols.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t split = text.find('\f');
    const std::string report = text.substr(0, split);
    const std::string answers = split == std::string::npos ? "" : text.substr(split + 1);
    Quib::ResolveReportSymbols(
        report,
        [&](const std::string&, const std::vector<unsigned long>&, std::string& output)
        {
            output = answers;
            return true;
        },
        [&](const std::string&, std::string& output)
        {
            output = answers;
            return true;
        });
    Quib::ErrorTitleOf(report);
    return 0;
}
