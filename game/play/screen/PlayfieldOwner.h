#pragma once

#include <cstdint>
#include <string>

class HintWidget;
class MenuItem;

// What the scene screen linked to a playfield does for it: it keeps the list
// of names to find and which of the playfield's items they stand for, shows
// the effects, tutorials and screens a find leads to, and holds the hint counter.
class PlayfieldOwner
{
public:
    virtual ~PlayfieldOwner() = default;

    virtual void AddListNameLeft(const std::string& name) = 0;
    virtual void AddListNameCentred(const std::string& name) = 0;
    virtual void MarkItemFound(const std::string& name) = 0;
    // Found on an earlier visit: crossed out without the effect.
    virtual void SetItemFoundQuiet(const std::string& name) = 0;
    // One item of a ten-items list found: the list counts down, never below zero.
    virtual void CountListItemFound() = 0;
    // The playfield's items whose names are on the list, by index.
    virtual void AddWantedItem(int32_t item) = 0;
    virtual bool IsWantedItem(int32_t item) const = 0;
    virtual void ClearWantedItem(int32_t item) = 0;

    virtual void PlayItemCollectedEffect(int32_t item) = 0;
    virtual void PlayHintCollectedEffect(int32_t item) = 0;
    virtual HintWidget& GetHintWidget() = 0;
    // Found diary pages fly to it.
    virtual MenuItem* GetDiaryButton() const = 0;
    // True when the tutorial applies and had not been shown yet.
    virtual bool ShowTutorial(int n, int argument = 0) = 0;
    // Input on the playfield is ignored while the screen slides, fades or waits to end.
    virtual bool IsAnimating() = 0;

    virtual void OpenMiniGame() = 0;
    // A diary page has arrived: the diary opens, and when the page was the
    // list's last item the list ends once the diary has closed.
    virtual void OpenDiaryForPage(bool listDone) = 0;
    // The playfield's last wanted item has arrived.
    virtual void OnListFinished() = 0;
    virtual void StartSceneEndDelay() = 0;
};
