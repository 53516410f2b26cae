#include "game/shell/ResourceGroupLoad.h"

#include "framework/app/QuibAppBase.h"
#include "framework/resources/ResourceManager.h"

bool LoadResourceGroup(const char* group, bool (*fetch)(Quib::ResourceManager*))
{
    Quib::QuibAppBase* app = Quib::gApp;
    Quib::ResourceManager* manager = app->mResourceManager.get();
    manager->BeginGroupLoad(group);
    while (manager->LoadNextInGroup())
    {
    }
    if (manager->ErrorOccurred() || !fetch(manager))
    {
        app->ReportResourceError(false);
        app->mShutdownRequested = true;
        return false;
    }
    return true;
}
