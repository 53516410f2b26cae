#pragma once

#include "game/play/PlayfieldModel.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/ScreenBase.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class DDImage;
}

// The screen one scene is played on: the scene's pictures drawn in their
// layers, the heads-up strip with the list of names to find, and what
// follows when the list is finished.
class GameFrame : public ScreenBase, public CustomDialogListener
{
public:
    static constexpr int32_t DIALOG_ID_ITEMS_FOUND = 0;
    static constexpr int32_t DIALOG_ID_TEN_ITEMS_FOUND = 2;
    static constexpr int32_t kListX = 0, kListY = 304, kListWidth = 110, kListHeight = 194;

    struct ListEntry
    {
        std::string mName;
        bool mFound = false;
    };

    // Reads the scene's file from the pack and its pictures; an empty list
    // asks for the scene's default one.
    GameFrame(const std::string& sceneName, int32_t listMode, std::vector<SceneListEntry> list = {});
    ~GameFrame() override;

    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;

    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    void OnSceneItemsDone();
    void ShowDialog(const std::string& text, int32_t id, bool dim);

    std::string mSceneName;
    int32_t mListMode;
    PlayfieldModel mModel;
    std::vector<ListEntry> mListEntries;
    // Pictures by model item, so that each hit test and draw uses its own.
    std::vector<std::unique_ptr<Quib::DDImage>> mPictures;
    bool mItemsDoneShown = false;
    GameStateStack* mStack = nullptr;

private:
    void DrawItemList(Quib::Graphics* g);
    // The pointer turns red and a miss sounds.
    void OnMisclick();
    // A dialog may have been pending when the last item was found.
    void CheckItemsDone();
};
