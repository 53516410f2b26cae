// Reads the input as a source file with marked literals on its first lines,
// as a reparse does, and scans it as program memory for marked sites.
#include "framework/services/LiveValues.h"
#include "fuzz/FuzzScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

constexpr int kSites = 6;

// Sites as marked literals plant them, for the scratch source: one on each of
// the first lines, two on the third. Registered once, their records live on.
std::vector<uint8_t> PlantSites(const std::string& source)
{
    std::vector<uint8_t> memory;
    const int lines[kSites] = {1, 2, 3, 3, 4, 7};
    for (int sequence = 0; sequence < kSites; ++sequence)
    {
        memory.push_back(1);
        memory.insert(memory.end(), sizeof(void*), 0);
        const std::string tag = std::string(Quib::kModValMarker) + source + std::to_string(sequence + 1) +
                                "," + std::to_string(lines[sequence]);
        memory.insert(memory.end(), tag.begin(), tag.end());
        memory.push_back(0);
    }
    return memory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("orvellan-fuzz-livevalues", ".cpp");
    static std::vector<uint8_t> sites = PlantSites(file.Path());

    std::vector<uint8_t> memory(data, data + size);
    Quib::GetModValFileTable().clear();
    Quib::ScanRangeForModVals(memory.data(), memory.size());

    Quib::GetModValFileTable().clear();
    file.Write(data, size);
    Quib::ScanRangeForModVals(sites.data(), sites.size());
    Quib::GetModValFileTable()[file.Path()].mUsed = true;
    // Older than any file, so the reparse never scans the whole program.
    Quib::gModValReferenceTime = 1;
    Quib::ReparseModVals([](const std::string&, const std::string&, uint32_t) {});
    return 0;
}
