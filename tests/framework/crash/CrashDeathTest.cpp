#include "framework/crash/ReportSymbols.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

namespace
{

struct Crashed
{
    int mSignal = 0;
    std::string mReport;
};

Crashed RunTarget(const std::string& kind)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvellan-crash-" + kind + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string folderText = folder.string();
    char* argv[] = {const_cast<char*>(CRASH_TARGET), const_cast<char*>(kind.c_str()), folderText.data(),
                    nullptr};
    pid_t child = 0;
    Crashed result;
    if (posix_spawn(&child, CRASH_TARGET, nullptr, nullptr, argv, environ) != 0)
        return result;
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        result.mSignal = WTERMSIG(status);
    std::ifstream in(folder / "crash.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    result.mReport = text.str();
    std::filesystem::remove_all(folder);
    return result;
}

} // namespace

TEST(CrashReport, EachKindOfCrashLeavesAReportAndEndsByItsSignal)
{
    struct Case
    {
        const char* kind;
        int signal;
        const char* firstLine;
        const char* function;
    } cases[] = {
        {"null", SIGSEGV, "Exception: Access Violation (code 0xc0000005) at address ", "CrashByNullWrite"},
        {"abort", SIGABRT, "Unknown exception: (code 0x40000015) at address ", nullptr},
        {"divide", SIGFPE, "Exception: Integer Divide by Zero (code 0xc0000094) at address ",
         "CrashByDivision"},
        {"illegal", SIGILL, "Exception: Illegal Instruction (code 0xc000001d) at address ",
         "CrashByIllegalInstruction"},
        {"exception", SIGABRT, "Unknown exception: (code 0xe06d7363) at address ", nullptr},
        {"thread", SIGSEGV, "Exception: Access Violation (code 0xc0000005) at address ", "CrashByNullWrite"},
    };
    for (const Case& c : cases)
    {
        const Crashed crashed = RunTarget(c.kind);
        EXPECT_EQ(crashed.mSignal, c.signal) << c.kind;
        const std::string& report = crashed.mReport;
        EXPECT_EQ(report.rfind(c.firstLine, 0), 0u) << c.kind << ":\n" << report;
        EXPECT_NE(report.find("\r\nModule: "), std::string::npos) << c.kind;
        EXPECT_NE(report.find("\r\nLogical Address: "), std::string::npos) << c.kind;
        EXPECT_NE(report.find("\r\nSystem Ver: "), std::string::npos) << c.kind;
        if (c.signal != SIGABRT || std::string(c.kind) == "abort")
        {
            EXPECT_NE(report.find("\r\nSignal: "), std::string::npos) << c.kind;
        }
        if (c.function)
        {
            EXPECT_NE(report.find("\r\nRIP:"), std::string::npos) << c.kind;
            EXPECT_NE(report.find("Modules:\r\n"), std::string::npos) << c.kind;
            const std::string resolved = Quib::ResolveReportSymbols(report, Quib::ResolveWithSystemTool);
            EXPECT_NE(resolved.find(c.function), std::string::npos) << c.kind << ":\n" << resolved;
        }
    }
}

TEST(CrashReport, AnEscapingExceptionNamesItsText)
{
    const Crashed crashed = RunTarget("exception");
    EXPECT_NE(crashed.mReport.find("Exception text: nobody caught this"), std::string::npos)
        << crashed.mReport;
}
