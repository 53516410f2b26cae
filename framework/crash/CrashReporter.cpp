#include "framework/crash/CrashReporter.h"

#include "framework/app/QuibAppBase.h"
#include "framework/crash/CrashReportText.h"
#include "framework/crash/CrashedRecording.h"
#include "framework/crash/SafeText.h"
#include "framework/foundation/Buffer.h"
#include "framework/services/DemoFile.h"
#include "platform/CommandOutput.h"
#include "platform/CrashSignals.h"
#include "platform/Environment.h"
#include "platform/Files.h"

#include <cstring>
#include <exception>

namespace Quib
{

namespace
{

// Everything the handler needs is made before the crash and kept in fixed
// buffers, so that the handler itself never allocates.
constexpr size_t kPathCapacity = 4096;
char gReportFolder[kPathCapacity] = "";
char gReportPath[kPathCapacity] = "crash.txt";
char gProgram[kPathCapacity] = "";
char gCommandWord[] = "-crashreport";
char* gProgramArgv[] = {gProgram, gCommandWord, gReportPath, nullptr};
// The demo being recorded: where it goes and its file's header, made ready
// when the application is attached.
char gDemoPath[kPathCapacity] = "";
char gDemoHeader[1024];
size_t gDemoHeaderSize = 0;
char gSystemText[256] = "";
char gMaps[1 << 18];
constexpr size_t kMaxFrames = 64;
uintptr_t gProgramCounters[kMaxFrames];
uintptr_t gFrames[kMaxFrames];
std::terminate_handler gPreviousTerminate = nullptr;
bool gInstalled = false;

void CopyInto(char* target, size_t capacity, const std::string& text)
{
    const size_t count = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(target, text.data(), count);
    target[count] = 0;
}

void WriteToFile(void* context, const char* bytes, size_t count)
{
    platform::crash::writeBytes(*static_cast<int*>(context), bytes, count);
}

// The stack mapping that holds the stack pointer bounds the frame walk, so a
// damaged frame chain never leads the walk outside it.
void StackRange(uintptr_t stackPointer, size_t mapsSize, uintptr_t& low, uintptr_t& high)
{
    low = high = 0;
    char* line = gMaps;
    char* end = gMaps + mapsSize;
    while (line < end)
    {
        char* cursor = line;
        uintptr_t start = 0, stop = 0;
        auto hex = [&](uintptr_t& value)
        {
            while (cursor < end)
            {
                const char c = *cursor;
                const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
                if (digit < 0)
                    break;
                value = value * 16 + uintptr_t(digit);
                ++cursor;
            }
        };
        hex(start);
        if (cursor < end && *cursor == '-')
        {
            ++cursor;
            hex(stop);
            if (stackPointer >= start && stackPointer < stop)
            {
                low = start;
                high = stop;
                return;
            }
        }
        while (line < end && *line != '\n')
            ++line;
        ++line;
    }
}

void AddDemoState(SafeText& text)
{
    QuibAppBase* app = gCrashReportApp;
    if (!app)
        return;
    const bool recording = app->mDemo.IsRecording();
    const bool playing = app->mDemo.IsPlaying();
    if (!recording && !playing)
        return;
    text.Add(recording ? "Demo: recording" : "Demo: playing").Add(" at update ");
    text.Decimal((long long)app->mMainLoop.mUpdateCount).Add("\r\n");
}

// The recording so far goes to its file (header and every event up to now),
// so the crash does not lose it; the report's process closes it. The lines
// that process needs are added to the report.
void SaveRecording(SafeText& text)
{
    QuibAppBase* app = gCrashReportApp;
    if (!app || !app->mDemo.IsRecording() || gDemoHeaderSize < 4)
        return;
    const Buffer& events = app->mDemo.Stream().Data();
    const uint32_t length = uint32_t(app->mMainLoop.mUpdateCount);
    for (int i = 0; i < 4; ++i)
        gDemoHeader[gDemoHeaderSize - 4 + size_t(i)] = char(length >> (8 * i));
    const int fd = platform::crash::createFile(gDemoPath);
    if (fd < 0)
        return;
    platform::crash::writeBytes(fd, gDemoHeader, gDemoHeaderSize);
    if (events.ByteCount() > 0)
        platform::crash::writeBytes(fd, reinterpret_cast<const char*>(events.Bytes()), events.ByteCount());
    platform::crash::closeFile(fd);
    text.Add(kDemoFileKey).Add(gDemoPath).Add("\r\n");
    text.Add(kDemoStreamKey).Decimal((long long)events.BitSize()).Add(" ");
    text.Decimal(app->mDemo.Stream().LastEventUpdate()).Add("\r\n");
}

void Report(const platform::CrashInfo& info, const ReportException& exception, const char* note)
{
    const size_t mapsSize = platform::crash::readFile("/proc/self/maps", gMaps, sizeof gMaps - 1);
    gMaps[mapsSize] = 0;
    uintptr_t low, high;
    StackRange(info.stackPointer, mapsSize, low, high);
    // The unwind tables know every frame; the frame pointers are the way
    // left when they do not reach the crashing one.
    size_t frames =
        platform::crash::walkUnwindTables(info.programCounter, gProgramCounters, gFrames, kMaxFrames);
    if (frames == 0)
        frames = platform::crash::walkFramePointers(info.framePointer, low, high, gProgramCounters, gFrames,
                                                    kMaxFrames);
    static SafeText demo;
    demo.Clear();
    AddDemoState(demo);
    SaveRecording(demo);
    const bool hasApplication = gCrashReportApp != nullptr;

    CrashReportInput input;
    input.mInfo = &info;
    input.mException = exception;
    input.mNote = note;
    input.mThreadId = platform::crash::threadId();
    input.mMaps = gMaps;
    input.mMapsSize = mapsSize;
    input.mProgramCounters = gProgramCounters;
    input.mFrames = gFrames;
    input.mFrameCount = frames;
    input.mSystem = gSystemText;
    input.mApplication = hasApplication ? gCrashReportApp->CrashReportText() : "";
    input.mDemo = demo.Text();

    platform::crash::createFolders(gReportFolder);
    int fd = platform::crash::createFile(gReportPath);
    WriteCrashReport(input, WriteToFile, &fd);
    platform::crash::closeFile(fd);
    if (gProgram[0])
        platform::crash::startDetached(gProgram, gProgramArgv);
}

void OnCrash(const platform::CrashInfo& info)
{
    Report(info, ExceptionForCrash(info), "");
}

[[noreturn]] void OnTerminate()
{
    static SafeText note;
    note.Clear();
    if (std::exception_ptr escaped = std::current_exception())
    {
        try
        {
            std::rethrow_exception(escaped);
        }
        catch (const std::exception& e)
        {
            note.Add("Exception text: ").Add(e.what());
        }
        catch (...)
        {
            note.Add("Exception text: (not a standard exception)");
        }
    }
    platform::CrashInfo info;
    info.programCounter = uintptr_t(__builtin_return_address(0));
    info.framePointer = uintptr_t(__builtin_frame_address(0));
    info.stackPointer = info.framePointer;
    Report(info, {kEscapedExceptionCode, ExceptionName(kEscapedExceptionCode)}, note.Text());
    platform::dieBySignal(platform::kAbortSignal);
}

struct InstallAtStart
{
    InstallAtStart() { CrashReporter::Install(); }
    ~InstallAtStart() { CrashReporter::Uninstall(); }
} gInstallAtStart;

} // namespace

void CrashReporter::Install()
{
    if (gInstalled)
        return;
    gInstalled = true;
    platform::crash::systemText(gSystemText, sizeof gSystemText);
    CopyInto(gProgram, sizeof gProgram, platform::programPath());
    // Until the application names its own folder, a report goes to the top of
    // the user's data folders, never to wherever the program was started.
    SetReportFolder(platform::userDataFolder());
    platform::installCrashHandler(OnCrash);
    gPreviousTerminate = std::set_terminate(OnTerminate);
}

void CrashReporter::Uninstall()
{
    if (!gInstalled)
        return;
    gInstalled = false;
    platform::uninstallCrashHandler();
    std::set_terminate(gPreviousTerminate);
}

void CrashReporter::SetReportFolder(const std::string& folder)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    CopyInto(gReportFolder, sizeof gReportFolder, folder);
    CopyInto(gReportPath, sizeof gReportPath, path + "crash.txt");
}

std::string CrashReporter::GetReportPath()
{
    return gReportPath;
}

void CrashReporter::SetReportProgram(const std::string& program)
{
    CopyInto(gProgram, sizeof gProgram, program);
}

void CrashReporter::AttachApplication()
{
    QuibAppBase* app = gCrashReportApp;
    if (!app)
        return;
    app->UpdateCrashReportText();
    if (app->mDemo.IsRecording())
    {
        DemoFileHeader header;
        header.mRandomSeed = app->mDemo.RandomSeed();
        header.mProductVersion = app->mProductVersion;
        const std::vector<uint8_t> bytes = EncodeDemoFile(header, Buffer());
        gDemoHeaderSize = bytes.size() <= sizeof gDemoHeader ? bytes.size() : 0;
        std::memcpy(gDemoHeader, bytes.data(), gDemoHeaderSize);
        CopyInto(gDemoPath, sizeof gDemoPath, platform::nativePath(app->mCommandLine.mDemoFileName));
    }
    std::string folder = platform::userDataFolder();
    if (!app->mCompanyFolder.empty())
        folder += app->mCompanyFolder + "/";
    folder += app->mProductName;
    SetReportFolder(folder);
}

bool CrashReporter::IsReportCommand(int argc, char** argv, std::string& reportPath)
{
    if (argc >= 3 && std::strcmp(argv[1], gCommandWord) == 0)
    {
        reportPath = argv[2];
        return true;
    }
    return false;
}

} // namespace Quib
