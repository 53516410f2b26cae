#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include "framework/resources/ImageLib.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "platform/Files.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace minigametest
{

MiniGameApp::MiniGameApp()
{
    mWidth = 800;
    mHeight = 600;
    mFullScreenBitDepth = 32;
    mOnlyAllowOneCopyToRun = false;
    mUseRegistry = false;
    mTitle = "Mini-games";
    mPreviousFolder = platform::currentDirectory();
    EXPECT_TRUE(platform::changeDirectory(ORVELLAN_CONTENT_PACK_DIR));
    Init();
    mScreen.Create(800, 600);
    mWidgetManager->mDrawImage = &mScreen;
    mWidgetManager->SetMouseMapping(Quib::Rect(0, 0, 800, 600), Quib::Rect(0, 0, 800, 600));
    mWidgetManager->mWidgetFlags =
        (mWidgetManager->mWidgetFlags | Quib::TREE_UPDATE | Quib::TREE_REDRAW) & ~Quib::TREE_CLIP;
    gSoundEffectHost = this;
    EXPECT_TRUE(mResourceManager->ReadManifest("properties/resources.xml"));
    StringTable::GetInstance().Load();
    EXPECT_TRUE(MiniGameWidget::LoadGroup("Init", &FetchGroupInit));
    EXPECT_TRUE(MiniGameWidget::LoadGroup("GameResources", &FetchGroupGameResources));
}

MiniGameApp::~MiniGameApp()
{
    ClearGameStates(&mStack);
    FlushDeletes();
    gSoundEffectHost = nullptr;
    // Its sounds live in this object's sound files, which go before the base does.
    mResourceManager.reset();
    StringTable::DeleteInstance();
    platform::changeDirectory(mPreviousFolder);
}

void MiniGameApp::FlushDeletes()
{
    mMainLoop.FlushDeferredDeletes();
}

void MiniGameApp::Step(int updates, uint32_t msEach)
{
    for (int i = 0; i < updates; ++i)
    {
        mTime.Advance(msEach);
        mWidgetManager->UpdateWidgetsFraction(1.0f);
    }
}

void MiniGameApp::Point(int x, int y)
{
    mWidgetManager->mLastMouseX = x;
    mWidgetManager->mLastMouseY = y;
}

void MiniGameApp::Click(int x, int y, int clickCode)
{
    mWidgetManager->HandleMouseMove(x, y);
    mWidgetManager->HandleMouseDown(x, y, clickCode);
    mWidgetManager->HandleMouseUp(x, y, clickCode);
}

Quib::SharedImageHandle MiniGameApp::GetSharedImage(const std::string& fileName, const std::string& variant,
                                                    bool* isNew)
{
    if (!mNextPictureMissing)
        return QuibAppBase::GetSharedImage(fileName, variant, isNew);
    mNextPictureMissing = false;
    if (isNew != nullptr)
        *isNew = false;
    return {};
}

bool MiniGameApp::Played(int32_t soundId) const
{
    return std::find(mSounds.begin(), mSounds.end(), soundId) != mSounds.end();
}

void MiniGameApp::DrawFrame(const std::string& pngFile)
{
    std::fill_n(mScreen.GetBits(), 800 * 600, 0xFF3A2E26u);
    mScreen.MarkBitsChanged();
    for (Quib::Widget* widget : mWidgetManager->mChildren)
        widget->MarkDirty();
    mWidgetManager->DrawDirtyWidgets();
    if (pngFile.empty())
        return;
    ImageLib::Image image(800, 600);
    std::copy(mScreen.GetBits(), mScreen.GetBits() + 800 * 600, image.mBits.begin());
    ImageLib::SavePngFile(pngFile, image);
}

void EnterFromScene(MiniGameApp& app, MiniGameWidget* game, MiniGameOwner* owner)
{
    game->SetOwnerScene(owner);
    game->mSkipAllowed = true;
    PushGameState(game, &app.mStack);
    CloseEntryHelp(app);
}

void CloseEntryHelp(MiniGameApp& app)
{
    app.Step(30);
    auto* help = dynamic_cast<MiniGameHelpScreen*>(app.mStack.Top());
    ASSERT_NE(help, nullptr);
    app.Step(30); // slid in
    help->OnMouseButtonDown(10, 10, 0, 1);
    app.Step(30);
    ASSERT_NE(app.mStack.Top(), help);
}

void ExpectEndDialogAndLeave(MiniGameApp& app, MiniGameWidget* game)
{
    ASSERT_TRUE(game->mSolved);
    app.Step(15);
    EXPECT_EQ(app.mStack.Top(), game);
    app.Step(1);
    auto* dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_END);
    EXPECT_TRUE(app.Played(SFX_MG_END));
    game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    app.Step(40);
    EXPECT_TRUE(std::find(app.mStack.mStates.begin(), app.mStack.mStates.end(), game) ==
                app.mStack.mStates.end());
}

std::string FrameFile(const std::string& name)
{
    const std::string folder = std::string(ORVELLAN_CONTENT_PACK_DIR) + "/../minigame-frames";
    platform::createDirectories(folder);
    return folder + "/" + name + ".png";
}

} // namespace minigametest
