// The program entry: makes the game's application object, runs it and ends
// the singletons that outlive its run.

#include "game/frontend/StartScreenMakers.h"
#include "game/shell/GameClock.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

int main(int argc, char** argv)
{
    SharkInterface* app = SharkInterface::GetInstance();
    app->mStartScreens = FrontEndStartScreens();
    app->SetCommandLine(argc, argv);
    app->Init();
    app->Start();
    const int exitCode = app->ExitCode();
    delete app;
    GameClock::DeleteInstance();
    StringTable::DeleteInstance();
    return exitCode;
}
