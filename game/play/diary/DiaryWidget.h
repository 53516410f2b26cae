#pragma once

#include "framework/foundation/Color.h"
#include "game/play/diary/DiaryEntry.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class DiaryOwner;

// The diary opened from a scene: a book slides in over the dimmed scene,
// opens, and shows the player's diary texts two pages at a time, with buttons
// for the previous pages, the next pages and closing.
class DiaryWidget : public ScreenBase, public ActionListener
{
public:
    static constexpr const char* kFileName = "properties/Diary.xml";

    enum LastAction : int32_t
    {
        ACTION_NONE = -1,
        ACTION_CLOSE = 0,
        ACTION_NEXT = 1,
        ACTION_PREVIOUS = 2,
    };

    // The opener sizes it to the screen and pushes it.
    DiaryWidget(DiaryOwner* owner, bool firstOpening);
    // The same, keeping its owner's stand-in for as long as it lives.
    DiaryWidget(std::unique_ptr<DiaryOwner> owner, bool firstOpening);
    ~DiaryWidget() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    // Stays in the widget tree under the tutorial it asks for.
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void SetText(const std::string& key, const std::string& text) { mTexts[key] = text; }
    void LoadTexts();
    void BuildPages();
    bool IsAnimating() const;
    void OnPrevPages();
    void OnNextPages();
    void OnClose();

    std::vector<DiaryEntry> mPages;
    Quib::Color mFadeColor{0, 0, 0, 0};
    int32_t mFrame = -1;
    int32_t mLastAction = ACTION_NONE;
    std::unique_ptr<ActionSequence> mOpenSeq;
    std::unique_ptr<ActionSequence> mCloseSeq;
    int32_t mBookX = -1;
    int32_t mBookY = -1;
    std::unique_ptr<MenuItem> mCloseButton;
    std::unique_ptr<MenuItem> mNextButton;
    std::unique_ptr<MenuItem> mPrevButton;
    std::unique_ptr<DiaryOwner> mKeptOwner;
    DiaryOwner* mOwner;
    std::map<std::string, std::string> mTexts;
    int32_t mColumnWidth;
    int32_t mLinesPerPage;
    int32_t mPageHeight = 286;
    int32_t mLeftPage = 0;
    bool mFirstOpening;
    // The group "Diary" did not load: nothing is shown and the program closes.
    bool mBroken = false;

private:
    void ShowButtons(bool visible);
    void DrawPage(Quib::Graphics* g, const DiaryEntry& page, int32_t x);
};
