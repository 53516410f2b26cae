#pragma once

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "game/minigames/base/MiniGameOwner.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/SoundEffectHost.h"
#include "tests/game/shell/FakeGameTime.h"
#include "tools/contentgen/PackHost.h"

#include <string>
#include <vector>

class MiniGameWidget;

namespace minigametest
{

// The framework application started headless in the generated content pack,
// with what the game has loaded before any mini-game opens (the "Init" and
// "GameResources" groups and the string table), a game-state stack, a fake
// clock, a log of the sounds played and a screen image the widgets draw into.
class MiniGameApp : public Quib::QuibAppBase, public SoundEffectHost
{
public:
    MiniGameApp();
    ~MiniGameApp() override;

    void PlaySoundEffect(int32_t soundId) override { mSounds.push_back(soundId); }
    // The test runs in the content pack, not in the program's folder.
    bool OnChangeDirectory(const std::string&) override { return true; }
    // Sounds are decoded and kept, whether or not an audio device plays them.
    Quib::SoundManager* GetSoundManager() override { return &mSoundFiles; }
    // Runs the widgets' per-pass updates, each 10 ms of game time apart.
    void Step(int updates, uint32_t msEach = 10);
    // Moves the manager's idea of the pointer, as a mouse move would.
    void Point(int x, int y);
    // Moves the mouse to the screen point and presses and releases a button
    // there (1 left, -1 right), so the widget under the pointer takes it.
    void Click(int x, int y, int clickCode = 1);
    // Draws every widget into the screen image; with a file name, saves it.
    void DrawFrame(const std::string& pngFile = "");
    void FlushDeletes();
    bool Played(int32_t soundId) const;
    // The next picture a resource group asks for is missing, as if the pack
    // lacked its file; the errors the program would show are kept instead.
    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                           bool* isNew) override;
    void ShowError(const std::string& text) override { mErrors.push_back(text); }

    shelltest::FakeGameTime mTime;
    contentgen::DecodingSoundManager mSoundFiles;
    GameStateStack mStack;
    Quib::MemoryImage mScreen;
    std::vector<int32_t> mSounds;
    bool mNextPictureMissing = false;
    std::vector<std::string> mErrors;
    std::string mPreviousFolder;
};

// A scene that records what its mini-game does to it.
class RecordingOwner : public MiniGameOwner
{
public:
    void SetMiniGameDone(bool done) override { mLog.push_back(done ? "done" : "undone"); }
    void DiscardHeldActionItem() override { mLog.push_back("discard"); }
    int GetItemsLeft() const override { return mItemsLeft; }
    void StartSceneEndDelay() override { mLog.push_back("end delay"); }
    void AddSkipPenalty() override { mLog.push_back("penalty"); }
    std::vector<std::string> mLog;
    int mItemsLeft = 0;
};

// Pushes a game the way its scene does (the scene as owner, Skip allowed),
// lets the dim-in end and closes the help panel that opens on entry.
void EnterFromScene(MiniGameApp& app, MiniGameWidget* game, MiniGameOwner* owner);
// After CreateMiniGameByIndex pushed it: the dim-in, then the help panel closed.
void CloseEntryHelp(MiniGameApp& app);
// A solved game: the end dialog opens on the 16th update (counted from now),
// and its OK leads the game out through the dim-out.
void ExpectEndDialogAndLeave(MiniGameApp& app, MiniGameWidget* game);

// Pushes the game at that place, lets the dim-in end and takes the help panel away.
template <class Game> Game* Open(MiniGameApp& app, Game* game, int x = 0, int y = 0)
{
    game->Resize(x, y, 800, 600);
    PushGameState(game, &app.mStack);
    app.Step(30);
    PopGameState(&app.mStack);
    return game;
}

// Where the frames of the flow tests are written, for a person to look at.
std::string FrameFile(const std::string& name);

} // namespace minigametest
