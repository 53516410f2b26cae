#pragma once

#include "game/shell/ActionSequence.h"

#include <memory>
#include <string>

namespace Quib
{
class Graphics;
}

// The parchment panel the player screens slide in from the right and out
// again, with its title drawn over it.

// Where the panel rests: centred on the 800 x 600 screen.
int PanelRestX();
int PanelRestY();
// From the right edge to the resting place over 200 ms.
std::unique_ptr<ActionSequence> SlidePanelIn(int* panelX, int* panelY);
// From the resting place back to the right edge over 200 ms.
std::unique_ptr<ActionSequence> SlidePanelOut(int* panelX);
// x of the title inside the panel: centred on the question panel's width.
int PanelTitleOffset(const std::string& title);
void DrawPanelAndTitle(Quib::Graphics* g, int panelX, int panelY, int titleOffsetX, const std::string& title);
