#pragma once

#include "game/shell/MenuItem.h"

#include <memory>

// The wooden button of the menus and player panels, in its three pictures,
// with the string-table text of the key as its label at height labelY.
std::unique_ptr<MenuItem> MakeWoodenButton(const char* labelKey, int x, int y, int labelY);
