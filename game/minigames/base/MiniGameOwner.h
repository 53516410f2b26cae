#pragma once

// What a mini-game started from a scene does to that scene: the scene screen
// hands one over, the puzzle gallery none, so a game played there records nothing.
class MiniGameOwner
{
public:
    virtual ~MiniGameOwner() = default;
    // Marks the scene's mini-game done (which also unlocks its gallery entry).
    virtual void SetMiniGameDone(bool done) = 0;
    // The usable item held in the scene is used up.
    virtual void DiscardHeldActionItem() = 0;
    virtual int GetItemsLeft() const = 0;
    virtual void StartSceneEndDelay() = 0;
    // Ten minutes on the player's play time for a skipped game.
    virtual void AddSkipPenalty() = 0;
};
