#include "game/records/HighScoreList.h"

#include "game/records/SaveEncoding.h"

#include <algorithm>

HighScoreList::HighScoreList(const std::string& defaultName)
{
    FillDefaults(defaultName);
}

void HighScoreList::FillDefaults(const std::string& defaultName)
{
    FillDefaults([&](int i) { return defaultName + std::to_string(i); });
}

void HighScoreList::FillDefaults(const std::function<std::string(int)>& nameOf)
{
    mEntries.clear();
    for (int i = 0; i < kPlaces; ++i)
        mEntries.push_back({nameOf(i), i + 1, 0, 0, 0});
}

int HighScoreList::FindRank(const HighScoreEntry& candidate) const
{
    const int64_t total = candidate.Total();
    for (size_t i = 0; i < mEntries.size(); ++i)
    {
        const int64_t listed = mEntries[i].Total();
        if (listed > total || listed == 0)
            return int(i);
    }
    return -1;
}

int HighScoreList::Insert(const HighScoreEntry& candidate)
{
    const int rank = FindRank(candidate);
    if (rank < 0)
        return rank;
    mEntries.insert(mEntries.begin() + rank, candidate);
    if (mEntries.size() > size_t(kPlaces))
        mEntries.pop_back();
    return rank;
}

void HighScoreList::Reset()
{
    mEntries.assign(size_t(kPlaces), HighScoreEntry{"---", 0, 0, 0, 0});
}

void HighScoreList::SetAt(int index, const HighScoreEntry& entry)
{
    if (index >= 0 && index < GetCount())
        mEntries[size_t(index)] = entry;
}

const HighScoreEntry* HighScoreList::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &mEntries[size_t(index)];
}

void HighScoreList::Append(const HighScoreEntry& entry)
{
    if (GetCount() < kPlaces)
        mEntries.push_back(entry);
}

void HighScoreList::Write(Quib::Buffer& buffer) const
{
    const size_t count = save::WriteCount(buffer, mEntries.size());
    for (size_t i = 0; i < count; ++i)
    {
        const HighScoreEntry& entry = mEntries[i];
        save::WriteText(buffer, entry.mName);
        // A time beyond the 16-bit hours keeps its last place instead of
        // wrapping to a negative time that would rank first.
        save::WriteShort(buffer, entry.mHours);
        save::WriteShort(buffer, entry.mMinutes);
        save::WriteShort(buffer, entry.mSeconds);
        save::WriteShort(buffer, entry.mMilliseconds);
    }
}

void HighScoreList::Read(Quib::Buffer& buffer)
{
    // Entries past the tenth are read and dropped; past the end of the data
    // they are empty, so reading stops there once the ten places are filled.
    const size_t count = save::ReadCount(buffer);
    for (size_t i = 0; i < count && (i < size_t(kPlaces) || !buffer.ReadExhausted()); ++i)
    {
        HighScoreEntry entry;
        entry.mName = save::ReadText(buffer);
        entry.mHours = save::ReadShort(buffer);
        entry.mMinutes = save::ReadShort(buffer);
        entry.mSeconds = save::ReadShort(buffer);
        entry.mMilliseconds = save::ReadShort(buffer);
        SetAt(int(i), entry);
    }
}
