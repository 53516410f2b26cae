#include "game/minigames/gallery/PuzzleScreen.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

namespace
{

Quib::Image* PreviewOf(int index)
{
    Quib::Image* const previews[kGalleryMiniGameCount] = {
        IMAGE_MG_PREVIEW_PUZZLE,          IMAGE_MG_PREVIEW_ROT_SWAP,        IMAGE_MG_PREVIEW_DIFFERENCES1,
        IMAGE_MG_PREVIEW_TYPEWRITER,      IMAGE_MG_PREVIEW_MATCHES,         IMAGE_MG_PREVIEW_SOKOBAN,
        IMAGE_MG_PREVIEW_REVERSI1,        IMAGE_MG_PREVIEW_WINE_PITCHERS,   IMAGE_MG_PREVIEW_TO_MANY_QUEENS,
        IMAGE_MG_PREVIEW_MEMORY1,         IMAGE_MG_PREVIEW_LETTER_SCRAMBLE, IMAGE_MG_PREVIEW_CLOCK,
        IMAGE_MG_PREVIEW_TO_MANY_QUEENS2, IMAGE_MG_PREVIEW_ROT_SWAP2,       IMAGE_MG_PREVIEW_SOKOBAN2,
        IMAGE_MG_PREVIEW_OSCILOSCOPE,     IMAGE_MG_PREVIEW_DIFFERENCES2,    IMAGE_MG_PREVIEW_WINE_PITCHERS,
        IMAGE_MG_PREVIEW_MATCHES2,        IMAGE_MG_PREVIEW_NEIGHBOURS,      IMAGE_MG_PREVIEW_SOKOBAN3,
        IMAGE_MG_PREVIEW_TANKS,           IMAGE_MG_PREVIEW_CLOCK,           IMAGE_MG_PREVIEW_NEIGHBOURS,
        IMAGE_MG_PREVIEW_ROT_SWAP3,       IMAGE_MG_PREVIEW_TO_MANY_QUEENS2, IMAGE_MG_PREVIEW_REVERSI2,
        IMAGE_MG_PREVIEW_DIFFERENCES3,    IMAGE_MG_PREVIEW_LETTER_SCRAMBLE, IMAGE_MG_PREVIEW_MEMORY2};
    return previews[index];
}

} // namespace

PuzzleScreen::PuzzleScreen(const PlayerProfile* profile, bool gameCompleted)
{
    mLoaded = MiniGameWidget::LoadGroup("PuzzleScreen", &FetchGroupPuzzleScreen);
    if (!mLoaded)
        return;
    MenuItemLook layout;
    layout.x = 400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2;
    layout.y = 590 - IMAGE_BUTTON_MAIN_MENU->GetHeight();
    layout.label = StringTable::GetInstance().Lookup("LBL_CLOSE");
    layout.labelY = 38;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN;
    mCloseButton = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU);
    mCloseButton->mOnClick = [this] { OnCloseClicked(); };
    mTitle = StringTable::GetInstance().Lookup("BTN_MAIN_PUZZLES");
    if (profile == nullptr)
        return;
    const int count = int(profile->mWallpaperUnlocks.mEntries.size()) - 1;
    for (int i = 0; i < count && i < kGalleryMiniGameCount; ++i)
    {
        const WallpaperUnlocks::Entry& entry = profile->mWallpaperUnlocks.mEntries[size_t(i)];
        auto button =
            std::make_unique<PuzzlePreviewButton>(i, entry.mName, entry.mUnlocked || gameCompleted, this,
                                                  IMAGE_MG_PREVIEW_PADLOCK, IMAGE_MG_PREVIEW_RECT_OVER);
        button->Resize(110 + (i % 6) * 100, 37 + (i / 6) * 100, 80, 80);
        button->mPreview = PreviewOf(i);
        mButtons.push_back(std::move(button));
    }
}

PuzzleScreen::~PuzzleScreen()
{
    mButtons.clear();
    mCloseButton.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("PuzzleScreen");
}

void PuzzleScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    for (auto& button : mButtons)
        manager->AddChild(button.get());
    if (mCloseButton)
        manager->AddChild(mCloseButton.get());
}

void PuzzleScreen::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& button : mButtons)
        manager->RemoveChild(button.get());
    if (mCloseButton)
        manager->RemoveChild(mCloseButton.get());
    ScreenBase::OnDetached(manager);
}

void PuzzleScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void PuzzleScreen::SetWidgetsVisible(bool visible)
{
    for (auto& button : mButtons)
        button->mVisible = visible;
    if (mCloseButton)
        mCloseButton->mVisible = visible;
}

void PuzzleScreen::OnCovered(GameStateStack*)
{
    mCovered = true;
    SetWidgetsVisible(false);
}

void PuzzleScreen::OnUncovered(GameStateStack*)
{
    mCovered = false;
    SetWidgetsVisible(true);
}

void PuzzleScreen::OnButtonClicked(int32_t buttonId)
{
    CreateMiniGameByIndex(buttonId, mStack);
}

void PuzzleScreen::OnCloseClicked()
{
    SetWidgetsVisible(false);
    if (mStack != nullptr && mStack->Top() == this)
        PopGameState(mStack);
}

void PuzzleScreen::Draw(Quib::Graphics* g)
{
    g->SetColor(Quib::Color(0, 0, 0, 70));
    g->FillRect(0, 0, mWidth, mHeight);
    if (FONT_BUTTON_LABELS == nullptr || mCovered)
        return;
    const int half = FONT_BUTTON_LABELS->GetStringWidth(mTitle) / 2;
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mTitle, 401 - half, 24);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mTitle, 400 - half, 23);
}
