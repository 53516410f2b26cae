#pragma once

#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <memory>
#include <string>

// A short message over the map or a scene: a frame with a wrapped text slides
// down from above, a close button appears under the text once it rests, and
// the button slides the frame away and pops the screen.
class Tutorial : public ScreenBase, public ActionListener
{
public:
    static constexpr const char* kFileName = "properties/Tutorial.xml";
    // Between the frame's edges and the wrapped text, both sides together.
    static constexpr int32_t kTextMargin = 70;

    // The frame stands xOffset right of the screen's centre; the caller pushes it.
    Tutorial(int32_t xOffset, const std::string& key);
    ~Tutorial() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    void OnCloseClicked();

    // The text of the key in the tutorial file; empty when the file or the key is missing.
    static std::string LoadText(const std::string& key);

    std::string mKey;
    std::string mText;
    int32_t mFrameX = 0;
    int32_t mFrameY = 0;
    int32_t mTextWidth = 0;
    int32_t mFrameWidth = 0;
    int32_t mFrameHeight = 0;
    std::unique_ptr<MenuItem> mCloseButton;
    std::unique_ptr<ActionSequence> mOpenSeq;
    std::unique_ptr<ActionSequence> mCloseSeq;
};
