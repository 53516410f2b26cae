#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/differences/DifferencesBoard.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Image;
}

// Find the differences: two halves of a scene drawn from layered pieces over
// the board; a click on a visible pixel of either half of a pair marks both.
class FindDifferences : public MiniGameWidget
{
public:
    explicit FindDifferences(const std::string& mode);
    ~FindDifferences() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnResetClicked();

    std::string mMode;
    std::unique_ptr<DifferencesBoard> mBoard;
    // The pieces' pictures, in the board's order.
    std::vector<std::unique_ptr<Quib::Image>> mPictures;
    std::string mCounterLabel;
};
