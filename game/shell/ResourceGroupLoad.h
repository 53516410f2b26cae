#pragma once

namespace Quib
{
class ResourceManager;
}

// Loads a screen's own resource group at once and fills its globals. On a
// failure the application shows the resource error and is asked to shut down;
// the screen then has to stay out of the way until the program closes.
bool LoadResourceGroup(const char* group, bool (*fetch)(Quib::ResourceManager*));
