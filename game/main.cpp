// The program entry: makes the game's application object, runs it and ends
// the singletons that outlive its run.

#include "framework/crash/CrashReporter.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/frontend/StartScreenMakers.h"
#include "game/records/LevelMapTable.h"
#include "game/shell/GameClock.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <string>

int main(int argc, char** argv)
{
    // After a crash the program is started again to show the report.
    std::string reportPath;
    if (Quib::CrashReporter::IsReportCommand(argc, argv, reportPath))
        return Quib::CrashReporter::RunReportProcess(reportPath);

    SharkInterface* app = SharkInterface::GetInstance();
    // From here on a crash report goes to the game's own data folder.
    Quib::CrashReporter::AttachApplication();
    app->mStartScreens = FrontEndStartScreens();
    RegisterFrontEndSceneScreens();
    app->SetCommandLine(argc, argv);
    app->Init();
    Quib::CrashReporter::AttachApplication();
    app->Start();
    const int exitCode = app->ExitCode();
    delete app;
    GameClock::DeleteInstance();
    StringTable::DeleteInstance();
    LevelMapTable::Destroy();
    return exitCode;
}
