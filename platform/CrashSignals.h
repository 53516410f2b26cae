#pragma once

#include <cstddef>
#include <cstdint>

namespace platform
{

// What went wrong, by the signal and its reason.
enum class CrashKind
{
    AccessViolation,
    StackOverflow,
    Misaligned,
    BusError,
    IntegerDivide,
    IntegerOverflow,
    FloatDivide,
    FloatOverflow,
    FloatUnderflow,
    FloatInexact,
    FloatInvalid,
    IllegalInstruction,
    PrivilegedInstruction,
    Abort,
    Other
};

// What the operating system tells about a fatal signal, taken apart inside
// the handler without allocating.
struct CrashInfo
{
    int signal = 0;
    int code = 0; // the signal's reason code
    CrashKind kind = CrashKind::Other;
    uintptr_t faultAddress = 0;
    uintptr_t programCounter = 0;
    uintptr_t stackPointer = 0;
    uintptr_t framePointer = 0;
    bool hasRegisters = false;
    // General registers in the order the report prints them (x86-64 only).
    uint64_t rax = 0, rbx = 0, rcx = 0, rdx = 0, rsi = 0, rdi = 0;
    uint64_t flags = 0;
    uint16_t cs = 0, gs = 0, fs = 0, ss = 0;
};

// Called on the crashing thread, on its alternate stack, with further fatal
// signals of the same kind held back. It may only make async-signal-safe
// calls. When it returns the process dies by the original signal.
using CrashHandler = void (*)(const CrashInfo& info);

// Catches SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT, and gives the calling
// thread an alternate signal stack so that a stack overflow can be reported.
void installCrashHandler(CrashHandler handler);
void uninstallCrashHandler();
// Gives the calling thread its own alternate signal stack (once per thread;
// freed when the thread ends).
void prepareThreadForCrashes();
// Ends the process by this signal, with its default action, now.
[[noreturn]] void dieBySignal(int signal);
constexpr int kAbortSignal = 6;

// Async-signal-safe services for the handler.
namespace crash
{

// "SIGSEGV" and so on; "signal" for others.
const char* signalName(int signal);
// The kernel's id of the calling thread.
uint32_t threadId();
// Makes a new regular file for writing in place of whatever had the name;
// never writes through a link. -1 when it cannot be made.
int createFile(const char* path);
// Makes the folder and those above it that are missing.
void createFolders(const char* folder);
void writeText(int fd, const char* text);
void writeBytes(int fd, const char* bytes, size_t count);
void closeFile(int fd);
// Reads a whole small file (such as the process's memory map) into the
// buffer; the count read.
size_t readFile(const char* path, char* buffer, size_t capacity);
// Return addresses by the chain of frame pointers, starting at `framePointer`,
// stopping at a frame outside [stackLow, stackHigh), one not above the last,
// or a misaligned one. Fills at most `capacity` entries; the count.
size_t walkFramePointers(uintptr_t framePointer, uintptr_t stackLow, uintptr_t stackHigh,
                         uintptr_t* programCounters, uintptr_t* frames, size_t capacity);
// Return addresses of the callers of the frame running at `programCounter`,
// found by the unwind tables from the calling frame on (through a signal's
// frame when called in its handler), so that code built without frame
// pointers still shows its whole stack. `frames` gets each frame's canonical
// frame address. Fills at most `capacity` entries; 0 when that frame is not
// on the calling thread's stack.
size_t walkUnwindTables(uintptr_t programCounter, uintptr_t* programCounters, uintptr_t* frames,
                        size_t capacity);
// The operating system's name, release and machine, as one line.
void systemText(char* buffer, size_t capacity);
// Starts `program` with `argv` in a new process that outlives this one, with
// no signal blocked or ignored. The strings must have been built before the
// crash.
void startDetached(const char* program, char* const argv[]);

} // namespace crash

} // namespace platform
