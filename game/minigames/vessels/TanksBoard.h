#pragma once

#include "game/minigames/vessels/TanksPuzzle.h"
#include "game/minigames/vessels/ValveTurn.h"
#include "game/minigames/vessels/VesselLevel.h"
#include "game/minigames/vessels/VesselPair.h"

#include <array>
#include <cstddef>

// The tanks' rules with their guards: a valve acts only while it is still and
// neither level moves; it turns open while it acts and the valves of a tank
// turn back when that tank's level has settled.
class TanksBoard
{
public:
    // In the order the valves are attached.
    enum class Valve
    {
        FillLeft,
        FillRight,
        EmptyLeft,
        EmptyRight,
        PourRightIntoLeft,
        PourLeftIntoRight
    };
    static constexpr int kValveCount = 6;

    // Ranges: the water pictures' heights minus the base columns.
    TanksBoard(int leftRange, int rightRange);

    // True when the valve acted (the pour sound plays).
    bool ClickValve(Valve valve);
    // Ignored when solved or while a level moves.
    bool Reset();
    void Update();

    bool IsSolved() const { return mSolved; }
    bool IsMoving() const { return mLeftLevel.IsMoving() || mRightLevel.IsMoving(); }
    const VesselPair& GetTanks() const { return mTanks; }
    int GetLeftHeight() const { return mLeftLevel.GetLevel(); }
    int GetRightHeight() const { return mRightLevel.GetLevel(); }
    const ValveTurn& GetValve(Valve valve) const { return mValves[std::size_t(valve)]; }

private:
    int LeftTarget() const;
    int RightTarget() const;
    void CloseValves(bool left);

    VesselPair mTanks = TanksPuzzle::MakePair();
    int mLeftRange;
    int mRightRange;
    VesselLevel mLeftLevel{TanksPuzzle::kLeftBase};
    VesselLevel mRightLevel{TanksPuzzle::kRightBase};
    std::array<ValveTurn, kValveCount> mValves{};
    bool mSolved = false;
};
