#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/jigsaw/JigsawBoard.h"
#include "game/minigames/jigsaw/PuzzlePieces.h"
#include "game/shell/ActionDelay.h"

#include <memory>
#include <vector>

// The jigsaw: the board model under 24 places and 24 pieces. After a skip it
// assembles the picture and waits for its own OK button.
class MiniGamePuzzle : public MiniGameWidget
{
public:
    static constexpr int PUZZLE_ACTION_SHOW_OK = 12345;
    static constexpr int PUZZLE_ACTION_SOLVED = 12346;

    explicit MiniGamePuzzle(int pictureKind);
    ~MiniGamePuzzle() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void Finish() override;
    void OnActionFinished(int id) override;

    // A left click on a loose piece: takes it up, or, while one is carried,
    // lets the carried piece go and fixes the clicked one when the pointer is
    // inside its place.
    void ClickPiece(int piece, int grabX, int grabY);
    void LetGo();
    void OnOkClicked();
    void OnResetClicked();
    void OnPuzzleCloseClicked();
    void SyncPieces();

    JigsawBoard mBoard;
    std::vector<std::unique_ptr<PuzzlePlace>> mPlaces;
    std::vector<std::unique_ptr<PuzzleBlock>> mPieces;
    std::unique_ptr<ActionDelay> mDelay;
    std::unique_ptr<MenuItem> mOkButton;
    Quib::WidgetManager* mManager = nullptr;
    int mPictureKind = 1;
    bool mOkShown = false;
};
