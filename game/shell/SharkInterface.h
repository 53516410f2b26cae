#pragma once

#include "framework/app/QuibAppBase.h"
#include "game/records/LevelItemTable.h"
#include "game/records/OptionsData.h"
#include "game/records/OptionsHost.h"
#include "game/records/PlayerProfile.h"
#include "game/records/ProfileList.h"
#include "game/records/SaveFileAccess.h"
#include "game/shell/AppSaveFiles.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/FocusStopwatches.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StartScreens.h"

#include <memory>
#include <string>
#include <utility>

namespace Quib
{
class DDImage;
class ListWidget;
class SoundPlayer;
} // namespace Quib

class CustomDialog;
class GameStateStack;
class SfxIndexTable;

// The game's application object: fixes the window and display wishes, starts
// the game in a fixed order, loads the big resource group on the loading
// thread while the title shows, leads from the title to the intro, pauses the
// game's clock and music while the window is out of focus, asks before the
// program closes, and offers the sound and music operations every screen uses.
class SharkInterface : public Quib::QuibAppBase,
                       public CustomDialogListener,
                       public SoundEffectHost,
                       public OptionsHost
{
public:
    // The one instance, made on the first call.
    static SharkInterface* GetInstance();

    SharkInterface();
    ~SharkInterface() override;

    void UpdateStep() override;
    void OnLoadingFinished() override;
    void OnInitFinished() override;
    void OnShutdown() override;
    void RunLoadingThread() override;
    void LoadSettings() override;
    void Shutdown() override;
    void Init() override;
    // Changes to the folder that holds the content pack, the program's own or an installation's.
    bool OnChangeDirectory(const std::string& folder) override;
    void OnDisplayModeChange() override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnActivated() override;
    void OnDeactivated() override;
    // True runs the framework's own shutdown; false does nothing.
    virtual void Quit(bool quit);

    // OptionsHost: what the options file needs of the application.
    void ShowOptionsError(const std::string& text) override { ShowError(text); }
    bool IsWindowedMode() const override { return mIsWindowed; }
    void SwitchScreenMode(bool windowed, bool is3D, bool force) override
    {
        SetScreenMode(windowed, is3D, force);
    }

    // Writes every profile's file and the index with the high scores.
    void SaveProfiles();
    void SaveIndex();
    void LoadSaveData();
    // The current player, or null when there is none.
    PlayerProfile* GetCurrentProfile() const;
    // Null when the index is outside the list.
    PlayerProfile* GetProfile(int index) const;
    // The new profile becomes current.
    void AddProfile(std::unique_ptr<PlayerProfile> profile);
    // The profile before it becomes current.
    void DeleteProfile(int index);
    void FillProfileList(Quib::ListWidget* list) const;
    // Every scene's findable items, read from the scene files of the working folder.
    void LoadSceneCatalogue();
    // What a profile's level preparation draws from.
    LevelPreparationSource GetLevelPreparationSource() const;

    // The exit question's answer (the dialog id is not examined).
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    // Called by the title screen once it has left the widget tree.
    void OnTitleScreenFinished();
    void StartIntro();
    void RegisterMusicTracks();
    void SetWindowIcon();

    // One-shot sounds at the sound volume, or at a given volume; nothing without a sound.
    void PlaySoundEffect(int32_t soundId) override;
    void PlaySoundEffectAtVolume(int soundId, double volume);
    // Starts the sound looping (once) and sets that loop's volume; a negative id plays nothing.
    void PlayLoopSound(double volume, int soundId);
    void StopLoopSound(int soundId);

    std::pair<float, float> GetMousePosition() const;
    // The scene screen that is playing and the mini-game that is showing (null
    // for none): their stopwatches stand still while the window is out of focus.
    void SetCurrentGameFrame(FocusStopwatches* frame) { mGameFrame = frame; }
    void SetCurrentMiniGame(FocusStopwatches* miniGame) { mMiniGame = miniGame; }

    // What the program entry returns: 0, or 1 after a fatal error of the start or the background load.
    int ExitCode() const { return mExitCode; }

    // The front end's first screens; set before Init.
    StartScreens mStartScreens;

    Quib::Widget* mTitleScreen = nullptr;
    std::unique_ptr<GameStateStack> mGameStates;
    bool mInitDone = false;
    LevelItemTable mSceneCatalogue;
    // The profiles with the current index and the high scores, as the index file holds them.
    std::unique_ptr<ProfileList> mProfiles;
    std::unique_ptr<OptionsData> mOptions;
    std::unique_ptr<SfxIndexTable> mSfxIndexTable;
    std::unique_ptr<Quib::SoundPlayer> mSoundPlayer;
    std::string mPauseText;
    int mPauseTextHalfWidth = 0;
    // The open exit question, or null.
    CustomDialog* mExitDialog = nullptr;
    bool mLoadingFinished = false;
    bool mIntroPending = false;
    FocusStopwatches* mGameFrame = nullptr;
    FocusStopwatches* mMiniGame = nullptr;

private:
    // Every save file goes through the application's demo-aware file services.
    AppSaveFiles mSaveFiles{*this};
    ScopedSaveFileAccess mSaveFilesInstalled{mSaveFiles};

    // Shows the text and ends the process with a failure code.
    [[noreturn]] void FailStart(const std::string& text);
    void LoadStartGroups();
    void ReportLoadingError();

    // The last frame seen with the focus; the pause layer is drawn over it once per frame.
    std::unique_ptr<Quib::DDImage> mPausedFrame;
    // Written by the loading thread before it raises the shutdown request; the
    // main thread shows it, since a box must not open on the loading thread.
    std::string mLoadingError;
    bool mLoadingErrorReported = false;
    int mExitCode = 0;
};

extern SharkInterface* gSharkInterface;

// Fades the track out over two seconds and stops it.
void FadeOutMusic(int track);
// Plays the track looping from its start, fading in over about a second.
void FadeInMusic(int track);
