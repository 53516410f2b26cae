// Reads arbitrary bytes as the index file: the names it yields are never more
// than the data holds, the high-score table stays ten places in ranking order,
// and only plain names would be opened.
#include "fuzz/records/RecordsFuzzCheck.h"
#include "game/records/ProfileFileNames.h"
#include "game/records/ProfileList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Quib::Buffer input = bufferOf(data, size);
    ProfileList list("Player");
    std::vector<std::string> fileNames;
    ProfileList::ReadIndex(input, fileNames);
    list.ReadHighScores(input);
    check(fileNames.size() <= size / 2);
    for (const std::string& name : fileNames)
    {
        if (IsSafeProfileFileName(name))
            check(name.find('/') == std::string::npos && name.find("..") == std::string::npos);
    }
    const HighScoreList& scores = list.GetHighScores();
    check(scores.GetCount() == HighScoreList::kPlaces);
    for (int i = 0; i + 1 < scores.GetCount(); ++i)
    {
        const int64_t a = scores.GetAt(i)->Total();
        const int64_t b = scores.GetAt(i + 1)->Total();
        check(a <= 0 ? b <= 0 : (b <= 0 || a <= b));
    }
    return 0;
}
