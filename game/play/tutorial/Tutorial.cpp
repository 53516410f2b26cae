#include "game/play/tutorial/Tutorial.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/PropertyFile.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kOpened = 0;
constexpr int kClosed = 1;
constexpr int kSlideMs = 200;

} // namespace

Tutorial::Tutorial(int32_t xOffset, const std::string& key) : mKey(key), mText(LoadText(key))
{
    using namespace steps;
    const int32_t w = IMAGE_TUTORIAL_FRAME_SMALL->GetWidth();
    const int32_t h = IMAGE_TUTORIAL_FRAME_SMALL->GetHeight();
    mFrameWidth = w;
    mFrameHeight = h;
    mFrameX = 400 + xOffset - int32_t(float(w) * 0.5f);
    mFrameY = -h;
    // The distance from above the screen to where the frame rests, centred.
    const int32_t c = h - int32_t(float(h) * 0.5f) + 300;

    MenuItemLook layout;
    layout.x = 0;
    layout.y = -100;
    layout.label = StringTable::GetInstance().Lookup("LBL_CLOSE");
    layout.labelY = 38;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN;
    mCloseButton = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU);
    mCloseButton->mOverlayPriority = 401;
    mCloseButton->SetVisible(false);
    mCloseButton->mOnClick = [this] { OnCloseClicked(); };

    mTextWidth = w;
    Resize(0, 0, 800, 600);
    mOpenSeq = InOrder(Together(Set(&mFrameY, -h), Set(&mFrameX, mFrameX)), Tween(&mFrameY, c, kSlideMs));
    mCloseSeq = InOrder(Together(Set(&mFrameY, c - 300)), Tween(&mFrameY, -c, kSlideMs));
    mOpenSeq->Start(this, kOpened);
}

Tutorial::~Tutorial() = default;

std::string Tutorial::LoadText(const std::string& key)
{
    std::string text;
    bool found = false;
    ReadPropertyFile(
        kFileName,
        [&](const std::string& name, const std::string& value)
        {
            if (!found && name == key)
            {
                text = value;
                found = true;
            }
        },
        "text");
    return text;
}

void Tutorial::OnActionFinished(int id)
{
    if (id == kOpened)
    {
        const int32_t buttonWidth = IMAGE_BUTTON_MAIN_MENU->GetWidth();
        const int32_t buttonHeight = IMAGE_BUTTON_MAIN_MENU->GetHeight();
        mCloseButton->Resize(mFrameX - int32_t(float(mFrameWidth - buttonWidth) * -0.5f),
                             mFrameY + mFrameHeight - buttonHeight - 20, buttonWidth, buttonHeight);
        mCloseButton->SetVisible(true);
    }
    else if (id == kClosed)
    {
        PopGameState(gSharkInterface->mGameStates.get());
    }
}

void Tutorial::OnCloseClicked()
{
    if (!mCloseButton->mVisible || mOpenSeq->IsRunning() || mCloseSeq->IsRunning())
        return;
    // The button goes at once, before the frame starts to move.
    mCloseButton->SetVisible(false);
    mCloseSeq->Start(this, kClosed);
}

void Tutorial::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    manager->AddChild(mCloseButton.get());
}

void Tutorial::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mCloseButton.get());
    ScreenBase::OnDetached(manager);
}

void Tutorial::UpdateFraction(float)
{
    mOpenSeq->Update();
    mCloseSeq->Update();
}

void Tutorial::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(400);
}

void Tutorial::DrawOverlay(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_TUTORIAL_FRAME_SMALL, mFrameX, mFrameY);
    g->SetFont(FONT_BUTTON_LABELS);
    const int32_t width = mTextWidth - kTextMargin;
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawStringWrapped(mText, mFrameX + 36, mFrameY + 44, width, 0);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawStringWrapped(mText, mFrameX + 35, mFrameY + 43, width, 0);
}
