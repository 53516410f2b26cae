#include "game/frontend/WoodenButton.h"

#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

std::unique_ptr<MenuItem> MakeWoodenButton(const char* labelKey, int x, int y, int labelY)
{
    MenuItemLook layout;
    layout.x = x;
    layout.y = y;
    layout.label = StringTable::GetInstance().Lookup(labelKey);
    layout.labelY = labelY;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN;
    return CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU);
}
