// Crashes in the way its first argument names, with the crash reporter
// writing into the folder of its second: crash_target KIND FOLDER [show].
// With "show" the report window opens afterwards, as in the game.
#include "framework/crash/CrashReporter.h"

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
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

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

void Crash(const char* kind)
{
    if (!std::strcmp(kind, "null"))
        CrashByNullWrite();
    else if (!std::strcmp(kind, "abort"))
        std::abort();
    else if (!std::strcmp(kind, "divide"))
        CrashByDivision(0);
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
    Quib::CrashReporter::SetReportFolder(argv[2]);
    if (argc < 4 || std::strcmp(argv[3], "show") != 0)
        Quib::CrashReporter::SetReportProgram("");
    if (!std::strcmp(argv[1], "thread"))
    {
        std::thread worker([] { CrashByNullWrite(); });
        worker.join();
    }
    Crash(argv[1]);
    return 0;
}
