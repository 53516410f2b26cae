#include "game/shell/SharkInterface.h"

#include "framework/display/DDInterface.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/MusicInterface.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/SoundInstance.h"
#include "framework/resources/SoundManager.h"
#include "framework/resources/SoundPlayer.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/records/DataFolder.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameClock.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/PackFolder.h"
#include "game/shell/Resources.h"
#include "game/shell/ScreenBase.h"
#include "game/shell/SfxIndexTable.h"
#include "game/shell/StringTable.h"
#include "platform/Files.h"
#include "platform/Window.h"

SharkInterface* gSharkInterface = nullptr;

namespace
{

const char* const kStartGroups[] = {"Init", "LegalScreens", "IntroSequence"};
const char* const kBackgroundGroup = "GameResources";
const char* const kIconFile = "images/icon.png";

} // namespace

SharkInterface* SharkInterface::GetInstance()
{
    if (gSharkInterface == nullptr)
        new SharkInterface();
    return gSharkInterface;
}

SharkInterface::SharkInterface()
{
    gSharkInterface = this;
    gSoundEffectHost = this;
    mCompanyName = "Quennivar";
    mProductName = "Orvellan";
    mTitle = "Orvellan";
    mProductVersion = "v0.02";
    mWidth = 800;
    mHeight = 600;
    mFullScreenBitDepth = 32;
    mIsWindowed = false;
    mMaximiseBoxAllowed = true;
    mMainLoop.mVSyncUpdates = true;
    mMainLoop.mWaitForVSync = true;
    mAutoEnable3D = true;
}

SharkInterface::~SharkInterface()
{
    if (mWidgetManager)
        mWidgetManager->RemoveAllChildren(false, false);
    mOptions.reset();
    delete mTitleScreen;
    mTitleScreen = nullptr;
    if (mGameStates)
        ClearGameStates(mGameStates.get());
    mGameStates.reset();
    mProfiles.reset();
    mSfxIndexTable.reset();
    mSoundPlayer.reset();
    mPausedFrame.reset();
    if (mMusicInterface)
        mMusicInterface->UnloadAllTracks();
    if (mResourceManager)
        mResourceManager->UnloadGroup("");
    if (gSoundEffectHost == this)
        gSoundEffectHost = nullptr;
    if (gSharkInterface == this)
        gSharkInterface = nullptr;
}

void SharkInterface::Init()
{
    mUseRegistry = false;
    QuibAppBase::Init();
    if (mShutdown)
        return;
    mWidgetManager->mWidgetFlags =
        (mWidgetManager->mWidgetFlags | Quib::TREE_UPDATE | Quib::TREE_REDRAW) & ~Quib::TREE_CLIP;
    // The framework's own manifest step ends the program with success; a game
    // without its manifest has failed to start.
    if (!mResourceManager->ReadManifest("properties\\resources.xml"))
        FailStart(mResourceManager->GetErrorMessage());
    LoadStartGroups();

    StringTable& strings = StringTable::GetInstance();
    if (!strings.Load())
        FailStart(std::string("Could not read ") + StringTable::kFileName);
    mPauseText = strings.Lookup("LBL_PAUSE_SCREEN_NAME");
    mPauseTextHalfWidth = int(FONT_BUTTON_LABELS->GetStringWidth(mPauseText) * 0.5);

    SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
    SetCustomCursorImage(1, IMAGE_CUSTOM_HAND);
    SetCustomCursorImage(2, IMAGE_CUSTOM_DRAGGING);
    SetCustomCursorImage(3, IMAGE_CUSTOM_TEXT);
    SetCustomCursorImage(11, IMAGE_CUSTOM_POINTER_EMPTY);
    SetCustomCursorsEnabled(true);
    mInitDone = true;

    mSfxIndexTable = std::make_unique<SfxIndexTable>();
    mSfxIndexTable->Load();
    mGameStates = std::make_unique<GameStateStack>();
    mSceneCatalogue = LevelItemTable();
    LoadSceneCatalogue();
    mProfiles = std::make_unique<ProfileList>(std::string());
    // Each default place has a whole name of its own in the string table.
    mProfiles->GetHighScores().FillDefaults([&](int i)
                                            { return strings.Lookup("ScoreNameEntry" + std::to_string(i)); });
    LoadSaveData();
    if (mStartScreens.mMakeTitle)
    {
        mTitleScreen = mStartScreens.mMakeTitle(*this);
        mTitleScreen->Resize(0, 0, mWidth, mHeight);
    }
    mSoundPlayer = std::make_unique<Quib::SoundPlayer>(mSoundManager.get());
    mLoading.mTotal = mResourceManager->CountGroupResources(kBackgroundGroup);
    RegisterMusicTracks();
    if (mTitleScreen != nullptr)
    {
        mWidgetManager->AddChild(mTitleScreen);
        mWidgetManager->SetFocusWidget(mTitleScreen);
    }
}

void SharkInterface::LoadStartGroups()
{
    for (const char* group : kStartGroups)
    {
        const bool loaded = mResourceManager->LoadGroup(group);
        const ResourceGroup* entry = nullptr;
        for (const ResourceGroup& candidate : kResourceGroups)
            if (candidate.name == group)
                entry = &candidate;
        if (!loaded || entry == nullptr || !entry->fetch(mResourceManager.get()))
        {
            mShutdownRequested = true;
            FailStart(mResourceManager->GetErrorMessage());
        }
    }
}

void SharkInterface::FailStart(const std::string& text)
{
    mExitCode = 1;
    ShowError(text);
    QuibAppBase::RestoreDisplayAndExit(1);
}

void SharkInterface::LoadSettings()
{
    // The game's own options file takes the place of the registry settings.
    CreateDataFolder();
    mOptions = std::make_unique<OptionsData>();
    mOptions->Load(this);
    mIsWindowed = !mOptions->mFullscreen;
}

void SharkInterface::OnDisplayModeChange()
{
    if (mInitDone && mOptions)
        mOptions->mFullscreen = !mIsWindowed;
}

void SharkInterface::SaveProfiles()
{
    if (mProfiles)
        mProfiles->SaveProfiles();
}

PlayerProfile* SharkInterface::GetCurrentProfile() const
{
    return mProfiles ? mProfiles->GetCurrentProfile() : nullptr;
}

void SharkInterface::SaveIndex()
{
    if (mProfiles)
        mProfiles->SaveIndex();
}

void SharkInterface::LoadSaveData()
{
    if (mProfiles)
        mProfiles->LoadSaveData();
}

PlayerProfile* SharkInterface::GetProfile(int index) const
{
    return mProfiles ? mProfiles->GetProfile(index) : nullptr;
}

void SharkInterface::AddProfile(std::unique_ptr<PlayerProfile> profile)
{
    if (mProfiles)
        mProfiles->AddProfile(std::move(profile));
}

void SharkInterface::DeleteProfile(int index)
{
    if (mProfiles)
        mProfiles->DeleteProfile(index);
}

void SharkInterface::FillProfileList(Quib::ListWidget* list) const
{
    if (list == nullptr || !mProfiles)
        return;
    for (const std::string& name : mProfiles->GetProfileNames())
        list->AddLine(name, false);
}

void SharkInterface::LoadSceneCatalogue()
{
    mSceneCatalogue.LoadSceneFiles(Quib::GetCurrentFolder());
}

LevelPreparationSource SharkInterface::GetLevelPreparationSource() const
{
    return {&mSceneCatalogue, StringTable::GetInstance().Lookup("ITEM_NAME_DIARY")};
}

void SharkInterface::OnInitFinished()
{
    SetWindowIcon();
    mAllowExtendedChars = true;
}

bool SharkInterface::OnChangeDirectory(const std::string& folder)
{
    const std::string packFolder = FindPackFolder(folder);
    return !packFolder.empty() && platform::changeDirectory(packFolder);
}

void SharkInterface::SetWindowIcon()
{
    // A failed icon leaves the desktop's default; nothing else depends on it.
    std::unique_ptr<Quib::DDImage> icon(LoadImage(kIconFile, 0));
    if (icon && mMainWindow)
        mMainWindow->setIcon(icon->GetBits(), icon->GetWidth(), icon->GetHeight());
}

void SharkInterface::RunLoadingThread()
{
    mResourceManager->BeginGroupLoad(kBackgroundGroup);
    while (mResourceManager->LoadNextInGroup())
    {
        ++mLoading.mDone;
        if (mShutdown)
            return;
    }
    if (mResourceManager->ErrorOccurred() || !FetchGroupGameResources(mResourceManager.get()))
    {
        mLoadingError = mResourceManager->GetErrorMessage();
        mShutdownRequested = true;
    }
}

void SharkInterface::ReportLoadingError()
{
    if (mLoadingError.empty() || mLoadingErrorReported)
        return;
    mLoadingErrorReported = true;
    mExitCode = 1;
    ShowError(mLoadingError);
}

void SharkInterface::OnLoadingFinished()
{
    if (mShutdownRequested)
        return;
    if (mTitleScreen != nullptr)
        mTitleScreen->MarkDirty();
    mLoadingFinished = true;
}

void SharkInterface::UpdateStep()
{
    if (!mInputQueue.mFocused)
        return;
    QuibAppBase::UpdateStep();
}

void SharkInterface::DrawOverlay(Quib::Graphics* g)
{
    if (mInputQueue.mFocused)
        return;
    // The screen image keeps what was drawn into it: a layer drawn straight onto it
    // every frame would darken it towards black, so each frame starts from the
    // last focused one.
    if (!mPausedFrame && mWidgetManager->mDrawImage != nullptr)
        mPausedFrame.reset(DuplicateImage(mWidgetManager->mDrawImage));
    if (mPausedFrame)
        g->DrawImage(mPausedFrame.get(), 0, 0);
    g->SetColor(Quib::Color(0, 0, 0, 200));
    g->FillRect(0, 0, mWidth, mHeight);
    if (FONT_BUTTON_LABELS == nullptr)
        return;
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0));
    g->DrawString(mPauseText, 401 - mPauseTextHalfWidth, 297);
    g->SetColor(Quib::Color(255, 255, 255));
    g->DrawString(mPauseText, 400 - mPauseTextHalfWidth, 296);
}

void SharkInterface::OnDeactivated()
{
    GameClock& clock = GameClock::GetInstance();
    if (clock.IsRunning())
        clock.Pause();
    if (mGameFrame != nullptr)
        mGameFrame->StopStopwatches();
    if (mMiniGame != nullptr)
        mMiniGame->StopStopwatches();
    if (mMusicInterface)
        mMusicInterface->PauseAllTracks();
}

void SharkInterface::OnActivated()
{
    GameClock::GetInstance().Resume();
    if (mGameFrame != nullptr)
        mGameFrame->StartStopwatches();
    if (mMiniGame != nullptr)
        mMiniGame->StartStopwatches();
    if (mMusicInterface)
    {
        mMusicInterface->SetMusicVolume(mOptions ? mOptions->mMusicVolume : GetMusicVolume());
        mMusicInterface->ResumeAllTracks();
    }
    // The running loops are the scenes', the map's and the menu's ambient sounds.
    if (mSoundPlayer && mOptions)
        mSoundPlayer->SetAllLoopsVolume(mOptions->mAmbientVolume);
    mPausedFrame.reset();
    MarkAllDirty();
}

void SharkInterface::Shutdown()
{
    // A replayed recording is checked against the screen its player closed on.
    if (mExitDialog == nullptr && mGameStates)
        Quib::DebugPrintf("Closing on %s\n", GameStateName(mGameStates->Top()).c_str());
    ReportLoadingError();
    SaveProfiles();
    if (!mLoadingFinished)
    {
        Quit(true);
        return;
    }
    if (mExitDialog != nullptr)
        return;
    mExitDialog = new CustomDialog(StringTable::GetInstance().Lookup("LBL_MAIN_EXIT_THE_GAME"), 0,
                                   CustomDialog::BUTTONS_YES_NO, true, false);
    mExitDialog->Resize(0, 0, 800, 600);
    mExitDialog->Move(0, 0);
    mExitDialog->SetListener(this);
    PushGameState(mExitDialog, mGameStates.get());
}

void SharkInterface::OnDialogClosed(int32_t, int32_t result)
{
    if (result == CustomDialog::RESULT_YES)
    {
        // The dialog stays on the stack; the shutdown takes every screen off.
        SaveProfiles();
        Quit(true);
        return;
    }
    PopGameState(mGameStates.get());
    mExitDialog = nullptr;
    if (mIntroPending)
        StartIntro();
}

void SharkInterface::Quit(bool quit)
{
    if (quit)
        QuibAppBase::Shutdown();
}

void SharkInterface::OnShutdown()
{
    if (!mGameStates)
        return;
    while (mGameStates->Top() != nullptr)
        PopGameState(mGameStates.get());
    // A load that never finished saves no options.
    if (mOptions && mLoadingFinished)
    {
        mOptions->Save();
        SaveProfiles();
    }
    while (mGameStates->Top() != nullptr)
        PopGameState(mGameStates.get());
}

void SharkInterface::OnTitleScreenFinished()
{
    mTitleScreen = nullptr;
    mResourceManager->UnloadGroup("TitleScreen");
    mIntroPending = false;
    if (mExitDialog != nullptr)
    {
        // The intro waits for the exit question's answer.
        mIntroPending = true;
        return;
    }
    StartIntro();
}

void SharkInterface::StartIntro()
{
    mIntroPending = false;
    if (!mStartScreens.mMakeIntro)
        return;
    ScreenBase* intro = mStartScreens.mMakeIntro(*this);
    intro->Resize(0, 0, 800, 600);
    PushGameState(intro, mGameStates.get());
    mWidgetManager->SetFocusWidget(intro);
}

void SharkInterface::RegisterMusicTracks()
{
    if (!mMusicInterface)
        return;
    for (int track = 0; track < int(std::size(kMusicTrackFiles)); ++track)
        mMusicInterface->LoadTrack(track, kMusicTrackFiles[track]);
}

void SharkInterface::PlaySoundEffect(int32_t soundId)
{
    PlaySoundEffectAtVolume(soundId, mOptions ? mOptions->mSoundVolume : GetSfxVolume());
}

void SharkInterface::PlaySoundEffectAtVolume(int soundId, double volume)
{
    if (!mSoundManager)
        return;
    Quib::SoundInstance* instance = mSoundManager->CreateInstance(soundId);
    if (instance == nullptr)
        return;
    instance->SetVolume(volume);
    instance->Play(false, true);
}

void SharkInterface::PlayLoopSound(double volume, int soundId)
{
    if (!mSoundPlayer || soundId < 0)
        return;
    mSoundPlayer->StartLoop(soundId);
    mSoundPlayer->SetLoopVolume(soundId, volume);
}

void SharkInterface::StopLoopSound(int soundId)
{
    if (mSoundPlayer)
        mSoundPlayer->StopLoop(soundId);
}

std::pair<float, float> SharkInterface::GetMousePosition() const
{
    return {float(mWidgetManager->mLastMouseX), float(mWidgetManager->mLastMouseY)};
}

void FadeOutMusic(int track)
{
    if (gSharkInterface != nullptr && gSharkInterface->mMusicInterface)
        gSharkInterface->mMusicInterface->FadeOutTrack(track, true, 0.005);
}

void FadeInMusic(int track)
{
    if (gSharkInterface != nullptr && gSharkInterface->mMusicInterface)
        gSharkInterface->mMusicInterface->FadeInTrack(track, 0, 0.009, false);
}
