#pragma once

#include "framework/foundation/Rect.h"
#include "game/frontend/AnimatedPicture.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The back-story before the main menu: between two black bands, over a grey
// backdrop, three texts appear letter by letter while photos roll across the
// screen to the spoken intro track. At its end, or when the player skips it,
// the backdrop turns to colour, the bands slide away and the screen replaces
// itself by the main menu.
class IntroScreen : public ScreenBase, public ActionListener
{
public:
    enum Phase
    {
        PHASE_OPENING = 0,
        PHASE_TEXTS = 1,
        PHASE_CLOSING = 2,
        PHASE_SKIPPED = 3,
    };

    IntroScreen();
    ~IntroScreen() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnKeyDown(int key) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnActionFinished(int id) override;

    int mPhase = PHASE_OPENING;
    Quib::Rect mBand{0, 0, 800, 133};
    std::unique_ptr<ActionSequence> mOpening, mTextSequence, mClosing, mPhotoSequence;
    int mTopBandY = 0;
    int mBottomBandY = 0;
    int mBackAlpha = 0;
    float mHeaderX = 0.0f;
    Quib::Rect mTextBox{170, 480, 620, 100};
    int mTextIndex = 0;
    int mTextLength = 0;
    int mRevealCount = 0;
    std::vector<std::string> mTexts;
    std::string mRevealed;
    std::vector<std::unique_ptr<AnimatedPicture>> mPhotos;
    int mPhotoIndex = 0;
    int mStartedPhoto = -1;
    bool mFinished = false;
    int64_t mStartTime = 0;

private:
    void BuildTextSequence();
    void Skip();
};
