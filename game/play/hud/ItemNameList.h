#pragma once

#include "framework/widgets/Widget.h"
#include "game/play/hud/ItemNameEntry.h"
#include "game/shell/ActionListener.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SceneHudOwner;

// The names of the items still to find: typed in and out letter by letter
// when the display slides, struck through when found. The ten-items visit
// shows one centred title line and the number of items left instead. Its
// owner draws it inside its own overlay and updates it from its own update.
class ItemNameList : public Quib::Widget, public ActionListener
{
public:
    static constexpr int32_t kTypeInStep = 10;
    static constexpr int32_t kTypeOutStep = 11;

    ItemNameList();
    ~ItemNameList() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    // A name on the left, one line below the last (the full list).
    void AddLeft(const std::string& name);
    // The title line of the ten-items visit, centred; the count of items left
    // is taken from the owner.
    void AddCentred(const std::string& name);
    // The first entry of that name is struck through, letter by letter.
    void MarkFound(const std::string& name);
    // The first entry of that name shows as found at once (taken on an earlier visit).
    void SetFoundQuiet(const std::string& name);
    void SetListMode(int32_t mode) { mListMode = mode; }
    void TypeIn();
    void TypeOut();

    std::vector<std::unique_ptr<ItemNameEntry>> mEntries;
    int32_t mTypeTime = 300;
    int32_t mStepIndex = -1;
    SceneHudOwner* mOwner = nullptr;
    std::unique_ptr<Action> mStepDelay;
    int32_t mListMode = 0;
    int32_t mRemaining = -1;
    bool mShown = false;

private:
    ItemNameEntry* FindEntry(const std::string& name);
    void DrawRemaining(Quib::Graphics* g);
};
