#pragma once

#include "framework/foundation/Buffer.h"
#include "game/records/HighScoreEntry.h"

#include <functional>
#include <string>
#include <vector>

// The ten best play times, shortest first, empty places at the end.
class HighScoreList
{
public:
    static constexpr int kPlaces = 10;

    // The default table: entry i is named defaultName followed by i, with i + 1 hours.
    explicit HighScoreList(const std::string& defaultName);

    void FillDefaults(const std::string& defaultName);
    // The default table with entry i named nameOf(i), with i + 1 hours.
    void FillDefaults(const std::function<std::string(int)>& nameOf);
    // The place the candidate would take: the first entry whose total is
    // greater than the candidate's or empty; -1 when the time does not qualify.
    int FindRank(const HighScoreEntry& candidate) const;
    // Inserts at that place and drops the last entry; nothing without a place.
    int Insert(const HighScoreEntry& candidate);
    // Ten empty places named "---".
    void Reset();
    // Nothing when the index is out of range.
    void SetAt(int index, const HighScoreEntry& entry);
    // Null when the index is out of range.
    const HighScoreEntry* GetAt(int index) const;
    // Nothing once the table holds ten entries.
    void Append(const HighScoreEntry& entry);
    void Clear() { mEntries.clear(); }
    int GetCount() const { return int(mEntries.size()); }

    // The high-score part of the index file: a count, then per entry a name
    // and four Shorts.
    void Write(Quib::Buffer& buffer) const;
    // Entry i of the file takes place i as it stands; entries past the tenth
    // are read and dropped.
    void Read(Quib::Buffer& buffer);

    bool operator==(const HighScoreList&) const = default;

private:
    std::vector<HighScoreEntry> mEntries;
};
