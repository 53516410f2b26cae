#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class Graphics;
class WidgetManager;
} // namespace Quib

class ActionSequence;
class GameStateStack;
class MenuItem;

// A letter between chapters: the picture dims, an envelope rises, its flap
// opens, the letter slides up out of it and settles in front; OK puts it back,
// closes the flap, slides everything away and pops the screen.
//
//   auto* letter = new StoryEnvelope("EnvelopeText3");
//   letter->Resize(0, 0, 800, 600);
//   PushGameState(letter, stack);
class StoryEnvelope : public ScreenBase, public ActionListener
{
public:
    // How far the paper rises to come out of the envelope.
    static constexpr float kPaperRise = 252.0f;
    // The letter's text against the paper: margin, first baseline, and the
    // screen width the margins are taken from.
    static constexpr int32_t kTextMargin = 55;
    static constexpr int32_t kTextBaseline = 60;
    static constexpr int32_t kTextSpan = 690;

    // Loads the group "StoryEnvelope" and looks up the letter's text by its key.
    explicit StoryEnvelope(const std::string& textKey);
    ~StoryEnvelope() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnEntered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void OnOkClicked();
    bool IsAnimating() const;
    // The width the letter's text is wrapped to, for the envelope at its place.
    int32_t TextWidth() const { return kTextSpan - 2 * int32_t(mEnvelopeX); }

    std::unique_ptr<ActionSequence> mOpening;
    std::unique_ptr<ActionSequence> mClosing;
    // Black; its alpha dims the screen below.
    Quib::Color mFadeColor{0, 0, 0, 0};
    std::string mLetterText;
    std::string mClickText;
    float mEnvelopeX = 0.0f;
    float mEnvelopeY = 600.0f;
    float mPaperY = 600.0f;
    int32_t mFlapCell = 0;
    bool mPaperInFront = false;
    bool mFlapOpen = false;
    std::unique_ptr<MenuItem> mOkButton;
    Quib::WidgetManager* mContainer = nullptr;
    // The group failed to load: the screen has nothing to show and leaves.
    bool mLoadFailed = false;

private:
    void BuildOpening(float rise, int32_t lastCell);
    void BuildClosing(float rise, int32_t lastCell);
    void DrawPaper(Quib::Graphics* g);
    void Leave();

    GameStateStack* mStack = nullptr;
    bool mOpened = false;
    bool mOkShown = false;
    bool mLeft = false;
};
