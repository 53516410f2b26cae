#include "game/minigames/vessels/WinePitchersMode.h"

WinePitchersMode WinePitchersMode::ByName(const std::string& name)
{
    if (name == "Mode2")
        return {"Mode2", 7, 5, 6, 18};
    return {"Mode1", 5, 3, 4, 8};
}
