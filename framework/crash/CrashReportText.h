#pragma once

#include "platform/CrashSignals.h"

#include <cstddef>
#include <cstdint>

namespace Quib
{

// The exception a fatal signal stands for in the report: its code and name,
// or no name for a code the table does not know.
struct ReportException
{
    uint32_t mCode = 0;
    const char* mName = nullptr;
};
ReportException ExceptionForCrash(const platform::CrashInfo& info);
// The name the table gives a code; nullptr for any other.
const char* ExceptionName(uint32_t code);
// The code of a language-level exception that nothing caught.
constexpr uint32_t kEscapedExceptionCode = 0xE06D7363;

// Everything the report is made of, gathered in the handler.
struct CrashReportInput
{
    const platform::CrashInfo* mInfo = nullptr;
    ReportException mException;
    const char* mNote = ""; // an extra line after the first, such as an exception's text
    uint32_t mThreadId = 0;
    const char* mMaps = ""; // the memory map, to name modules
    size_t mMapsSize = 0;
    const uintptr_t* mProgramCounters = nullptr;
    const uintptr_t* mFrames = nullptr;
    size_t mFrameCount = 0;
    const char* mSystem = "";      // the operating system's line
    const char* mApplication = ""; // the application's own lines; empty without one
    const char* mDemo = "";        // the lines on a demo being recorded or played
};

// Writes the report line by line through `write`, so that a crash while
// writing still leaves every line before it. Allocates nothing.
using ReportSink = void (*)(void* context, const char* bytes, size_t count);
void WriteCrashReport(const CrashReportInput& input, ReportSink write, void* context);

} // namespace Quib
