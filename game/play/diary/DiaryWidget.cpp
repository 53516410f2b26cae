#include "game/play/diary/DiaryWidget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/diary/DiaryLayout.h"
#include "game/play/diary/DiaryOwner.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/PropertyFile.h"
#include "game/shell/ResourceGroupLoad.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/SoundEffectHost.h"

#include <algorithm>

namespace
{

constexpr int kOpened = 0;
constexpr int kClosed = 1;
constexpr int kDimAlpha = 100;
constexpr int kSlideMs = 250;
constexpr int kPageTurnMs = 450;

} // namespace

DiaryWidget::DiaryWidget(DiaryOwner* owner, bool firstOpening)
    : mOwner(owner), mColumnWidth(DiaryLayout::kColumnWidth), mLinesPerPage(DiaryLayout::kLinesPerPage),
      mFirstOpening(firstOpening)
{
    using namespace steps;
    if (!LoadResourceGroup("Diary", &FetchGroupDiary))
    {
        mBroken = true;
        return;
    }
    LoadTexts();
    BuildPages();
    mFadeColor = Quib::Color(0, 0, 0, 0);

    auto makeButton = [this](int32_t x, Quib::Image* normal, Quib::Image* hover, Quib::Image* down,
                             void (DiaryWidget::*onClick)())
    {
        MenuItemLook layout;
        layout.x = x;
        layout.y = 380;
        layout.hoverPicture = hover;
        layout.pressedPicture = down;
        std::unique_ptr<MenuItem> button = CreateMenuItem(layout, normal);
        button->mOverlayPriority = 6;
        button->mOnClick = [this, onClick] { (this->*onClick)(); };
        return button;
    };
    mPrevButton = makeButton(177, IMAGE_GUI_DIARY_BUTTON_L, IMAGE_GUI_DIARY_BUTTON_L_OVER,
                             IMAGE_GUI_DIARY_BUTTON_L_DOWN, &DiaryWidget::OnPrevPages);
    mCloseButton = makeButton(432, IMAGE_GUI_DIARY_BUTTON_X, IMAGE_GUI_DIARY_BUTTON_X_OVER,
                              IMAGE_GUI_DIARY_BUTTON_X_DOWN, &DiaryWidget::OnClose);
    mCloseButton->mPressSound = SFX_BUTTON_GUI_PRESS;
    mCloseButton->mHoverSound = SFX_BUTTON_GUI_OVER;
    mNextButton = makeButton(630, IMAGE_GUI_DIARY_BUTTON_R, IMAGE_GUI_DIARY_BUTTON_R_OVER,
                             IMAGE_GUI_DIARY_BUTTON_R_DOWN, &DiaryWidget::OnNextPages);

    Quib::Image* book = IMAGE_GUI_DIARY_ANIMATION;
    const int32_t lastFrame = book->mRows - 1;
    const int32_t tx = book->GetWidth() / 2 + 85;
    const int32_t ty = 327 - book->GetHeight() / 24;
    mOpenSeq =
        InOrder(Together(Set(&mBookX, -315), Set(&mBookY, -73), Set(&mFadeColor.mAlpha, 0), Set(&mFrame, 0)),
                Together(Tween(&mBookX, tx, kSlideMs), Tween(&mBookY, ty, kSlideMs),
                         Tween(&mFadeColor.mAlpha, kDimAlpha, kSlideMs)),
                Tween(&mFrame, lastFrame, kPageTurnMs));
    mCloseSeq = InOrder(Together(Set(&mFadeColor.mAlpha, kDimAlpha), Set(&mFrame, lastFrame)),
                        Tween(&mFrame, -lastFrame, kPageTurnMs),
                        Together(Tween(&mBookX, -tx, kSlideMs), Tween(&mBookY, -ty, kSlideMs),
                                 Tween(&mFadeColor.mAlpha, -kDimAlpha, kSlideMs)));

    ShowButtons(false);
    PlayGameSound(SFX_DIARY_APPEAR);
    mOpenSeq->Start(this, kOpened);
}

DiaryWidget::DiaryWidget(std::unique_ptr<DiaryOwner> owner, bool firstOpening)
    : DiaryWidget(owner.get(), firstOpening)
{
    mKeptOwner = std::move(owner);
}

DiaryWidget::~DiaryWidget()
{
    if (!mBroken)
        Quib::gApp->mResourceManager->UnloadGroup("Diary");
}

void DiaryWidget::LoadTexts()
{
    ReadPropertyFile(kFileName,
                     [this](const std::string& key, const std::string& text) { mTexts[key] = text; });
}

void DiaryWidget::BuildPages()
{
    PlayerProfile* profile = gSharkInterface->GetCurrentProfile();
    const int32_t entries = profile != nullptr ? profile->mDiaryPages : 0;
    mPages = DiaryLayout::BuildPages(mTexts, entries, FONT_DIARY_2, FONT_DIARY_1,
                                     [](Quib::Font* font, const std::string& text)
                                     { return font != nullptr ? font->GetStringWidth(text) : 0; });
    mLeftPage = int32_t(mPages.size()) - 2;
}

void DiaryWidget::ShowButtons(bool visible)
{
    mPrevButton->SetVisible(visible);
    mCloseButton->SetVisible(visible);
    mNextButton->SetVisible(visible);
}

bool DiaryWidget::IsAnimating() const
{
    return !mBroken && (mOpenSeq->IsRunning() || mCloseSeq->IsRunning());
}

void DiaryWidget::OnActionFinished(int id)
{
    if (id == kOpened)
    {
        // Without the tutorial on top nothing would uncover the diary, so the
        // buttons come at once; with it they come when it closes.
        const bool tutorialShown = mFirstOpening && mOwner != nullptr && mOwner->ShowTutorial(11, 49);
        mFirstOpening = false;
        if (!tutorialShown)
            ShowButtons(true);
    }
    else if (id == kClosed)
    {
        if (mOwner != nullptr)
            mOwner->ShowDiaryButton();
        if (mLastAction == ACTION_CLOSE)
            PopGameState(gSharkInterface->mGameStates.get());
    }
}

void DiaryWidget::OnPrevPages()
{
    if (IsAnimating())
        return;
    mLastAction = ACTION_PREVIOUS;
    if (mLeftPage > 0)
    {
        PlayGameSound(SFX_DIARY_TURN_PAGE);
        mLeftPage -= 2;
    }
}

void DiaryWidget::OnNextPages()
{
    if (IsAnimating())
        return;
    mLastAction = ACTION_NEXT;
    if (mLeftPage + 2 < int32_t(mPages.size()))
    {
        PlayGameSound(SFX_DIARY_TURN_PAGE);
        mLeftPage += 2;
    }
}

void DiaryWidget::OnClose()
{
    if (IsAnimating())
        return;
    PlayGameSound(SFX_DIARY_DISAPPEAR);
    mLastAction = ACTION_CLOSE;
    ShowButtons(false);
    mCloseSeq->Start(this, kClosed);
}

void DiaryWidget::OnCovered(GameStateStack*) {}

void DiaryWidget::OnUncovered(GameStateStack*)
{
    if (!mBroken)
        ShowButtons(true);
}

void DiaryWidget::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    if (mBroken)
        return;
    manager->AddChild(mPrevButton.get());
    manager->AddChild(mCloseButton.get());
    manager->AddChild(mNextButton.get());
}

void DiaryWidget::OnDetached(Quib::WidgetManager* manager)
{
    if (!mBroken)
    {
        manager->RemoveChild(mPrevButton.get());
        manager->RemoveChild(mCloseButton.get());
        manager->RemoveChild(mNextButton.get());
    }
    ScreenBase::OnDetached(manager);
}

void DiaryWidget::UpdateFraction(float)
{
    if (mBroken)
        return;
    mOpenSeq->Update();
    mCloseSeq->Update();
    mFadeColor.mAlpha = std::clamp(mFadeColor.mAlpha, 0, 255);
}

void DiaryWidget::Draw(Quib::Graphics*)
{
    if (!mBroken)
        RequestOverlayDraw(6);
}

void DiaryWidget::DrawOverlay(Quib::Graphics* g)
{
    g->SetColor(mFadeColor);
    g->FillRect(0, 0, 800, 600);
    Quib::Image* book = IMAGE_GUI_DIARY_ANIMATION;
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImageCell(book, mBookX, mBookY, std::clamp(mFrame, 0, book->mRows - 1));
    if (IsAnimating() || mLeftPage < 0 || mLeftPage + 1 >= int32_t(mPages.size()))
        return;
    g->SetColor(Quib::Color(0, 0, 0, 255));
    DrawPage(g, mPages[size_t(mLeftPage)], mBookX + 79);
    DrawPage(g, mPages[size_t(mLeftPage + 1)], mBookX + mColumnWidth + 116);
}

void DiaryWidget::DrawPage(Quib::Graphics* g, const DiaryEntry& page, int32_t x)
{
    g->SetFont(page.mFont);
    for (size_t i = 0; i < page.mLines.size(); ++i)
        g->DrawString(page.mLines[i], x, mBookY + 46 + DiaryLayout::kLineHeight * int32_t(i));
    g->SetFont(FONT_ITEM_LABELS);
    g->DrawString(std::to_string(page.mPageNumber), x + mColumnWidth / 2, mBookY + mPageHeight + 59);
}
