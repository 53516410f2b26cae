// Crashes in the way its first argument names, with the crash reporter
// writing into the folder of its second ("-": where it writes before anyone
// names a folder): crash_target KIND FOLDER [show].
// With "show" the report window opens afterwards, as in the game.
#include "framework/app/QuibAppBase.h"
#include "framework/crash/CrashReporter.h"
#include "platform/Clock.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

namespace
{

// Sanitizer builds would stop at their own null check before the fault.
__attribute__((noinline, no_sanitize("undefined"))) void CrashByNullWrite()
{
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

// Where the division's result goes, so that the optimiser keeps it.
volatile int gQuotient = 0;

__attribute__((noinline, no_sanitize("undefined"))) int CrashByDivision(int divisor)
{
    volatile int d = divisor;
    return 7 / d;
}

__attribute__((noinline)) void CrashByIllegalInstruction()
{
    __builtin_trap();
}

__attribute__((noinline)) void CrashByEscapingException()
{
    throw std::runtime_error("nobody caught this");
}

// An application recording a demo (events at updates 5 and 40), nine
// seconds after its start, crashes at update 911.
void CrashWhileRecording(const std::string& folder)
{
    auto* app = new Quib::QuibAppBase();
    app->mCommandLine.mDemoFileName = folder + "/crashed.dmo";
    app->mRandSeed = 77;
    app->StartDemoRecording();
    app->mMainLoop.mUpdateCount = 5;
    app->mDemo.RecordMouseEnterLeave(true);
    app->mMainLoop.mUpdateCount = 40;
    app->mDemo.RecordLoadingDone();
    Quib::CrashReporter::AttachApplication();
    Quib::CrashReporter::SetReportFolder(folder);
    app->mTimeLoaded = platform::tickCount() - 9000;
    app->mMainLoop.mUpdateCount = 911;
    app->UpdateCrashReportText();
    CrashByNullWrite();
}

void Crash(const char* kind)
{
    if (!std::strcmp(kind, "null"))
        CrashByNullWrite();
    else if (!std::strcmp(kind, "abort"))
        std::abort();
    else if (!std::strcmp(kind, "divide"))
        gQuotient = CrashByDivision(0);
    else if (!std::strcmp(kind, "illegal"))
        CrashByIllegalInstruction();
    else if (!std::strcmp(kind, "exception"))
        CrashByEscapingException();
}

} // namespace

int main(int argc, char** argv)
{
    std::string reportPath;
    if (Quib::CrashReporter::IsReportCommand(argc, argv, reportPath))
        return Quib::CrashReporter::RunReportProcess(reportPath);
    if (argc < 3)
        return 2;
    if (std::strcmp(argv[2], "-") != 0)
        Quib::CrashReporter::SetReportFolder(argv[2]);
    if (argc < 4 || std::strcmp(argv[3], "show") != 0)
        Quib::CrashReporter::SetReportProgram("");
    if (!std::strcmp(argv[1], "thread"))
    {
        std::thread worker([] { CrashByNullWrite(); });
        worker.join();
    }
    if (!std::strcmp(argv[1], "recording"))
        CrashWhileRecording(argv[2]);
    Crash(argv[1]);
    return 0;
}
