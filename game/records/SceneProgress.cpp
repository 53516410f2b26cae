#include "game/records/SceneProgress.h"

#include "game/records/FindByName.h"
#include "game/records/SaveEncoding.h"

#include <algorithm>

namespace
{

template <typename Entry> Entry* EntryAt(std::vector<Entry>& entries, int index)
{
    if (index < 0 || size_t(index) >= entries.size())
        return nullptr;
    return &entries[size_t(index)];
}

} // namespace

void SceneProgress::Reset()
{
    ResetClock();
    mMiniGameDone = false;
    mDoneFirstVisit = false;
    for (ItemEntry& item : mItems)
        item.mTaken = false;
    for (NamedEntry& item : mGroupItems)
        item.mTaken = false;
}

void SceneProgress::AddItem(const std::string& name)
{
    mItems.push_back({name, false});
}

void SceneProgress::SetFirstItem(const std::string& name)
{
    if (mItems.empty())
        return;
    mItems.front() = {name, false};
}

void SceneProgress::MarkItemTaken(const std::string& name)
{
    if (ItemEntry* item = FindByName(mItems, name, &ItemEntry::mName))
        item->mTaken = true;
}

void SceneProgress::MarkGroupItemTaken(const std::string& name, int32_t groupId)
{
    auto found =
        std::find_if(mGroupItems.begin(), mGroupItems.end(),
                     [&](const NamedEntry& item) { return item.mName == name && item.mGroupId == groupId; });
    if (found != mGroupItems.end())
        found->mTaken = true;
}

void SceneProgress::AddPiece(const std::string& name)
{
    mPieces.push_back(name);
}

void SceneProgress::AddHintItem(const std::string& name)
{
    mHintItems.push_back(name);
}

std::string SceneProgress::GetPieceNameAt(int index) const
{
    if (index < 0 || size_t(index) >= mPieces.size())
        return {};
    return mPieces[size_t(index)];
}

void SceneProgress::SetClock(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds)
{
    mClock[0] = hours;
    mClock[1] = minutes;
    mClock[2] = seconds;
    mClock[3] = milliseconds;
}

void SceneProgress::ResetClock()
{
    SetClock(0, kDefaultClockMinutes, 0, 0);
}

SceneProgress::ItemEntry* SceneProgress::GetItem(int index)
{
    return EntryAt(mItems, index);
}

SceneProgress::NamedEntry* SceneProgress::GetGroupItem(int index)
{
    return EntryAt(mGroupItems, index);
}

void SceneProgress::Load(Quib::Buffer& buffer)
{
    mSceneName = save::ReadText(buffer);
    mDoneFirstVisit = save::ReadFlag(buffer);
    mDoneSecondVisit = save::ReadFlag(buffer);
    for (int32_t& part : mClock)
        part = save::ReadShort(buffer);
    mMiniGameDone = save::ReadFlag(buffer);
    mListMode = save::ReadShort(buffer);
    mReserved = save::ReadShort(buffer);

    save::ReadList(buffer, mItems,
                   [](Quib::Buffer& in) {
                       return ItemEntry{save::ReadText(in), save::ReadFlag(in)};
                   });
    save::ReadTextList(buffer, mPieces);
    save::ReadTextList(buffer, mHintItems);
    save::ReadList(buffer, mGroupItems,
                   [](Quib::Buffer& in)
                   {
                       NamedEntry item;
                       item.mName = save::ReadText(in);
                       item.mGroupId = save::ReadShort(in);
                       item.mTaken = save::ReadFlag(in);
                       return item;
                   });
}

void SceneProgress::Write(Quib::Buffer& buffer) const
{
    save::WriteText(buffer, mSceneName);
    save::WriteFlag(buffer, mDoneFirstVisit);
    save::WriteFlag(buffer, mDoneSecondVisit);
    for (int32_t part : mClock)
        save::WriteShort(buffer, part);
    save::WriteFlag(buffer, mMiniGameDone);
    save::WriteShort(buffer, mListMode);
    save::WriteShort(buffer, mReserved);

    save::WriteList(buffer, mItems,
                    [](Quib::Buffer& out, const ItemEntry& item)
                    {
                        save::WriteText(out, item.mName);
                        save::WriteFlag(out, item.mTaken);
                    });
    save::WriteTextList(buffer, mPieces);
    save::WriteTextList(buffer, mHintItems);
    save::WriteList(buffer, mGroupItems,
                    [](Quib::Buffer& out, const NamedEntry& item)
                    {
                        save::WriteText(out, item.mName);
                        save::WriteShort(out, item.mGroupId);
                        save::WriteFlag(out, item.mTaken);
                    });
}
