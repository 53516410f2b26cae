#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdint>
#include <string>
#include <vector>

// A profile's record of one scene of the current level.
struct SceneProgress
{
    struct ItemEntry
    {
        std::string mName;
        bool mTaken = false;
        bool operator==(const ItemEntry&) const = default;
    };

    struct NamedEntry
    {
        std::string mName;
        int32_t mGroupId = 0;
        bool mTaken = false;
        bool operator==(const NamedEntry&) const = default;
    };

    static constexpr int32_t kDefaultClockMinutes = 10;

    std::vector<ItemEntry> mItems;
    std::vector<NamedEntry> mGroupItems;
    std::vector<std::string> mPieces;
    std::vector<std::string> mHintItems;
    std::string mSceneName;
    int32_t mClock[4] = {0, kDefaultClockMinutes, 0, 0};
    bool mMiniGameDone = false;
    int32_t mListMode = 0;
    bool mDoneFirstVisit = false;
    bool mDoneSecondVisit = false;
    int32_t mReserved = -1;

    SceneProgress() = default;
    explicit SceneProgress(std::string sceneName) : mSceneName(std::move(sceneName)) {}

    // A new visit: clock and first-visit state back to the start, nothing taken.
    void Reset();

    void AddItem(const std::string& name);
    void SetFirstItem(const std::string& name);
    void MarkItemTaken(const std::string& name);
    void MarkGroupItemTaken(const std::string& name, int32_t groupId);
    void AddPiece(const std::string& name);
    void AddHintItem(const std::string& name);
    std::string GetPieceNameAt(int index) const;
    std::vector<std::string> GetHintItemNames() const { return mHintItems; }
    int GetGroupItemCount() const { return int(mGroupItems.size()); }

    const std::string& GetSceneName() const { return mSceneName; }
    void SetSceneName(const std::string& name) { mSceneName = name; }
    int32_t GetListMode() const { return mListMode; }
    void SetListMode(int32_t mode) { mListMode = mode; }
    void SetClock(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);
    void ResetClock();
    bool IsDoneFirstVisit() const { return mDoneFirstVisit; }
    void SetDoneFirstVisit(bool done) { mDoneFirstVisit = done; }
    bool IsDoneSecondVisit() const { return mDoneSecondVisit; }
    void SetDoneSecondVisit(bool done) { mDoneSecondVisit = done; }
    // Null when the index is out of range.
    ItemEntry* GetItem(int index);
    NamedEntry* GetGroupItem(int index);

    // Overwrites the name, flags, clock and modes; appends the lists read.
    void Load(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const SceneProgress&) const = default;
};
