#include "game/frontend/DialogPanel.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/frontend/ShadowedText.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/Resources.h"

int PanelRestX()
{
    return (800 - IMAGE_GUI_DIALOG->GetWidth()) / 2;
}

int PanelRestY()
{
    return (600 - IMAGE_GUI_DIALOG->GetHeight()) / 2;
}

std::unique_ptr<ActionSequence> SlidePanelIn(int* panelX, int* panelY)
{
    using namespace steps;
    return InOrder(Set(panelX, 800), Set(panelY, PanelRestY()), Tween(panelX, PanelRestX() - 800, 200));
}

std::unique_ptr<ActionSequence> SlidePanelOut(int* panelX)
{
    using namespace steps;
    return InOrder(Set(panelX, PanelRestX()), Tween(panelX, 800 - PanelRestX(), 200));
}

int PanelTitleOffset(const std::string& title)
{
    return (IMAGE_YES_NO_DIALOG->GetWidth() - FONT_BUTTON_LABELS->GetStringWidth(title)) / 2;
}

void DrawPanelAndTitle(Quib::Graphics* g, int panelX, int panelY, int titleOffsetX, const std::string& title)
{
    g->DrawImage(IMAGE_GUI_DIALOG, panelX, panelY);
    DrawShadowedString(g, FONT_BUTTON_LABELS, title, panelX + titleOffsetX, panelY + 82);
}
