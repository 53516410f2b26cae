#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionSequence.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class Image;
}

class CustomButtonListener;
class SandboxWidget;
class ScenePreviewOwner;
struct PlayerProfile;

// A scene's picture along the top of the level map: it slides down into view
// and back up, shows the scene's place on the map while the pointer is over
// it, marks a completed or locked scene, and opens the scene when clicked.
class ScenePreviewButton : public Quib::Widget
{
public:
    // Where a button rests, and how far above the screen it hides.
    static constexpr int32_t kShownY = 33;
    static constexpr int32_t kHiddenY = -135;

    ScenePreviewButton(int32_t index, const std::string& sceneName, const std::string& caption,
                       ScenePreviewOwner* map, CustomButtonListener* listener,
                       std::unique_ptr<Quib::Image> hoverPicture);
    ~ScenePreviewButton() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseEnter() override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // Takes what it shows from its scene's playfield and the profile's record.
    void UpdateFromPlayfield(const SandboxWidget& playfield, PlayerProfile* profile, bool finaleDone);
    void BuildSlideSequences();
    bool IsSliding() const;

    int32_t mItemsLeft = 0;
    int32_t mPiecesLeft = 0;
    std::string mSceneName;
    std::string mCaption;
    bool mMiniGameDone = false;
    bool mSecondVisit = false;
    bool mCompleted = false;
    int32_t mIndex;
    bool mLocked = false;
    CustomButtonListener* mListener;
    ScenePreviewOwner* mMap;
    std::unique_ptr<Quib::Image> mHoverPicture;
    std::unique_ptr<Quib::Image> mPicture;
    Quib::Image* mCompletedPicture;
    int32_t mCaptionX = 0;
    std::unique_ptr<ActionSequence> mSlideIn;
    std::unique_ptr<ActionSequence> mSlideOut;
    int32_t mMarkerX = 0;
    int32_t mMarkerY = 0;

private:
    // The slides move this copy of the y position; the widget follows it.
    int32_t mSlideY = kHiddenY;
};
