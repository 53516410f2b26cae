#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/vessels/WinePitchersBoard.h"
#include "game/minigames/vessels/WinePitchersMode.h"

#include <array>
#include <memory>
#include <string>

// The bottle and the glass: the measuring model under six arrow buttons that
// fill, empty and pour, with each vessel's liquid drawn at its moving level.
class WinePitchers : public MiniGameWidget
{
public:
    explicit WinePitchers(const std::string& mode);
    ~WinePitchers() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void FillGlass() { Apply(VesselPair::Operation::FillSecond); }
    void FillBottle() { Apply(VesselPair::Operation::FillFirst); }
    void EmptyGlass() { Apply(VesselPair::Operation::EmptySecond); }
    void EmptyBottle() { Apply(VesselPair::Operation::EmptyFirst); }
    void PourGlassIntoBottle() { Apply(VesselPair::Operation::PourSecondIntoFirst); }
    void PourBottleIntoGlass() { Apply(VesselPair::Operation::PourFirstIntoSecond); }
    void OnResetClicked();

    float mOriginX = 150;
    float mOriginY = 20;
    WinePitchersMode mMode;
    std::unique_ptr<WinePitchersBoard> mBoard;
    std::unique_ptr<MenuItem> mFillGlassButton;
    std::unique_ptr<MenuItem> mFillBottleButton;
    std::unique_ptr<MenuItem> mEmptyGlassButton;
    std::unique_ptr<MenuItem> mEmptyBottleButton;
    std::unique_ptr<MenuItem> mPourGlassButton;
    std::unique_ptr<MenuItem> mPourBottleButton;

private:
    // In the order they are attached.
    std::array<MenuItem*, 6> Arrows() const;
    void Apply(VesselPair::Operation operation);
    std::unique_ptr<MenuItem> MakeArrow(int dx, int dy, Quib::Image* normal, Quib::Image* over,
                                        void (WinePitchers::*onClick)());
    // The bottom `level` rows of a liquid picture, with its surface above and its rounded bottom below.
    void DrawLiquid(Quib::Graphics* g, Quib::Image* liquid, Quib::Image* top, Quib::Image* bottom, int x,
                    int liquidBaseY, int bottomBaseY, int level);
};
