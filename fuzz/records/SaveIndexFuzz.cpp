// Reads arbitrary bytes as the index file: the names it yields are never more
// than the data holds, a damaged count yields none, the high-score table stays
// ten places, and only plain names would be opened.
#include "fuzz/records/RecordsFuzzCheck.h"
#include "game/records/ProfileFileNames.h"
#include "game/records/ProfileList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Quib::Buffer input = bufferOf(data, size);
    ProfileList list("Player");
    std::vector<std::string> fileNames;
    const bool readable = ProfileList::ReadIndex(input, fileNames).has_value();
    list.ReadHighScores(input);
    check(fileNames.size() <= size / 2);
    check(readable || fileNames.empty());
    for (const std::string& name : fileNames)
    {
        if (IsSafeProfileFileName(name))
            check(name.find('/') == std::string::npos && name.find("..") == std::string::npos);
    }
    check(list.GetHighScores().GetCount() == HighScoreList::kPlaces);
    return 0;
}
