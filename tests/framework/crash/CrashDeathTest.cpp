#include "framework/crash/ReportSymbols.h"
#include "framework/foundation/Buffer.h"
#include "framework/services/DemoFile.h"
#include "framework/services/DemoRecorder.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

namespace fs = std::filesystem;

// A scratch folder per run, gone afterwards.
struct Scratch
{
    explicit Scratch(const std::string& name)
        : mPath(fs::temp_directory_path() / ("orvellan-crash-" + name + "-" + std::to_string(getpid())))
    {
        fs::remove_all(mPath);
        fs::create_directories(mPath);
    }
    ~Scratch() { fs::remove_all(mPath); }
    fs::path mPath;
};

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the crash target in `workFolder` with the extra environment; a
// watchdog alarm (kept across the exec) ends a run that would never end.
// The wait status.
int RunProgram(std::vector<std::string> args, const fs::path& workFolder,
               const std::vector<std::pair<std::string, std::string>>& environment)
{
    args.insert(args.begin(), CRASH_TARGET);
    const pid_t child = fork();
    if (child == 0)
    {
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        for (const auto& [name, value] : environment)
        {
            if (value.empty())
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
        if (chdir(workFolder.c_str()) != 0)
            _exit(126);
        alarm(60);
        execv(CRASH_TARGET, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

struct Crashed
{
    int mSignal = 0;
    std::string mReport;
    bool mReportIsRegular = false;
    std::string mLinkedFile; // what the file crash.txt was linked to holds afterwards
};

// Every crash finds "crash.txt" in its folder linked to another file of the
// user's, which the report must leave alone.
Crashed RunTarget(const std::string& kind)
{
    Scratch folder(kind);
    const fs::path linked = folder.mPath / "letter.txt";
    std::ofstream(linked) << "Dear diary";
    fs::create_symlink(linked, folder.mPath / "crash.txt");
    const int status = RunProgram({kind, folder.mPath.string()}, folder.mPath, {});
    Crashed result;
    if (WIFSIGNALED(status))
        result.mSignal = WTERMSIG(status);
    result.mReportIsRegular = fs::is_regular_file(fs::symlink_status(folder.mPath / "crash.txt"));
    result.mReport = ReadText(folder.mPath / "crash.txt");
    result.mLinkedFile = ReadText(linked);
    return result;
}

// The lines of the stack: "PC  FRAME  SSSS:OOOOOOOO module".
size_t StackLines(const std::string& report)
{
    static const std::regex line("^[0-9A-F]{8,}  [0-9A-F]{8,}  [0-9A-F]{4}:[0-9A-F]{8} ");
    size_t count = 0;
    std::istringstream in(report);
    std::string text;
    while (std::getline(in, text))
        count += std::regex_search(text, line) ? 1 : 0;
    return count;
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
        EXPECT_TRUE(crashed.mReportIsRegular) << c.kind;
        EXPECT_EQ(crashed.mLinkedFile, "Dear diary") << c.kind;
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
            const std::string resolved = Quib::ResolveReportSymbols(report, Quib::ResolveWithSystemTool,
                                                                    Quib::ListSymbolsWithSystemTool);
            EXPECT_NE(resolved.find(c.function), std::string::npos) << c.kind << ":\n" << resolved;
            // The whole way from the fault back to the program's entry.
            EXPECT_GE(StackLines(report), 3u) << c.kind << ":\n" << report;
            if (std::string(c.kind) != "thread")
            {
                EXPECT_NE(resolved.find("  main"), std::string::npos) << c.kind << ":\n" << resolved;
            }
        }
    }
}

TEST(CrashReport, AnEscapingExceptionNamesItsText)
{
    const Crashed crashed = RunTarget("exception");
    EXPECT_NE(crashed.mReport.find("Exception text: nobody caught this"), std::string::npos)
        << crashed.mReport;
}

// A crash before the program names its data folder still reports into the
// user's data folders, and the report's own process (here under a display no
// one sees) ends by itself and leaves nothing in the folder it was started in.
TEST(CrashReport, TheReportAndItsProcessStayOutOfTheStartingFolder)
{
    Scratch work("work");
    Scratch data("data");
    const std::vector<std::pair<std::string, std::string>> environment = {
        {"APPDATA", ""}, {"XDG_DATA_HOME", data.mPath.string()}, {"SDL_VIDEODRIVER", "dummy"}};
    const int crashed = RunProgram({"null", "-"}, work.mPath, environment);
    ASSERT_TRUE(WIFSIGNALED(crashed) && WTERMSIG(crashed) == SIGSEGV) << crashed;
    const fs::path report = data.mPath / "crash.txt";
    ASSERT_TRUE(fs::exists(report));

    const int shown = RunProgram({"-crashreport", report.string()}, work.mPath, environment);
    EXPECT_TRUE(WIFEXITED(shown) && WEXITSTATUS(shown) == 0) << shown;
    EXPECT_TRUE(fs::is_empty(work.mPath));
    EXPECT_NE(ReadText(report).find("CrashByNullWrite"), std::string::npos) << ReadText(report);
}

// The demo being recorded survives the crash: its file holds every event up
// to the crash, and the report's process closes it as the handler would have,
// byte for byte what a recording closed at that update gives.
TEST(CrashReport, ARecordingSurvivesTheCrash)
{
    Scratch folder("recording");
    const std::vector<std::pair<std::string, std::string>> environment = {{"SDL_VIDEODRIVER", "dummy"}};
    const int crashed = RunProgram({"recording", folder.mPath.string()}, folder.mPath, environment);
    ASSERT_TRUE(WIFSIGNALED(crashed) && WTERMSIG(crashed) == SIGSEGV) << crashed;
    const fs::path report = folder.mPath / "crash.txt";
    const std::string text = ReadText(report);
    EXPECT_NE(text.find("\r\nDemo: recording at update 911\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nTime Loaded: 00:00:09\r\n"), std::string::npos) << text;
    ASSERT_TRUE(fs::exists(folder.mPath / "crashed.dmo"));

    const int shown = RunProgram({"-crashreport", report.string()}, folder.mPath, environment);
    EXPECT_TRUE(WIFEXITED(shown) && WEXITSTATUS(shown) == 0) << shown;

    int update = 0;
    Quib::DemoRecorder expected([&] { return update; });
    expected.StartRecording(77);
    update = 5;
    expected.RecordMouseEnterLeave(true);
    update = 40;
    expected.RecordLoadingDone();
    update = 911;
    expected.WriteFiller();
    const size_t versionAt = text.find("\r\nVersion: ") + 11;
    const std::string version = text.substr(versionAt, text.find("\r\n", versionAt) - versionAt);
    const fs::path closedNormally = folder.mPath / "expected.dmo";
    ASSERT_TRUE(expected.WriteDemoFile(closedNormally.string(), version));
    EXPECT_EQ(ReadText(folder.mPath / "crashed.dmo"), ReadText(closedNormally));
}
