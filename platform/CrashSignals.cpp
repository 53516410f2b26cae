#include "platform/CrashSignals.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <ucontext.h>
#include <unistd.h>
#include <unwind.h>
#include <vector>

namespace platform
{

namespace
{

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
std::atomic<CrashHandler> gHandler{nullptr};
struct sigaction gPrevious[sizeof kSignals / sizeof kSignals[0]];
bool gInstalled = false;

// One alternate stack per thread, released when the thread ends.
struct ThreadCrashStack
{
    std::vector<char> mStack;
    bool mReady = false;

    void Prepare()
    {
        if (mReady)
            return;
        mReady = true;
        mStack.resize(size_t(SIGSTKSZ) < 65536 ? 65536 : size_t(SIGSTKSZ));
        stack_t alternate{};
        alternate.ss_sp = mStack.data();
        alternate.ss_size = mStack.size();
        sigaltstack(&alternate, nullptr);
    }
    ~ThreadCrashStack()
    {
        if (!mReady)
            return;
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
    }
};
thread_local ThreadCrashStack tCrashStack;

CrashKind KindOf(int signal, int code, uintptr_t faultAddress, uintptr_t stackPointer)
{
    switch (signal)
    {
    case SIGSEGV:
        // A fault just below the stack pointer is the stack running out.
        if (stackPointer != 0 && faultAddress < stackPointer + 4096 && faultAddress + 65536 > stackPointer)
            return CrashKind::StackOverflow;
        return CrashKind::AccessViolation;
    case SIGBUS:
        return code == BUS_ADRALN ? CrashKind::Misaligned : CrashKind::BusError;
    case SIGFPE:
        switch (code)
        {
        case FPE_INTDIV:
            return CrashKind::IntegerDivide;
        case FPE_INTOVF:
            return CrashKind::IntegerOverflow;
        case FPE_FLTDIV:
            return CrashKind::FloatDivide;
        case FPE_FLTOVF:
            return CrashKind::FloatOverflow;
        case FPE_FLTUND:
            return CrashKind::FloatUnderflow;
        case FPE_FLTRES:
            return CrashKind::FloatInexact;
        default:
            return CrashKind::FloatInvalid;
        }
    case SIGILL:
        return code == ILL_PRVOPC ? CrashKind::PrivilegedInstruction : CrashKind::IllegalInstruction;
    case SIGABRT:
        return CrashKind::Abort;
    default:
        return CrashKind::Other;
    }
}

void Fill(CrashInfo& info, int signal, const siginfo_t* si, const void* context)
{
    info.signal = signal;
    info.code = si ? si->si_code : 0;
    info.faultAddress = si ? uintptr_t(si->si_addr) : 0;
#if defined(__x86_64__)
    if (context)
    {
        const auto* uc = static_cast<const ucontext_t*>(context);
        const greg_t* r = uc->uc_mcontext.gregs;
        info.hasRegisters = true;
        info.programCounter = uintptr_t(r[REG_RIP]);
        info.stackPointer = uintptr_t(r[REG_RSP]);
        info.framePointer = uintptr_t(r[REG_RBP]);
        info.rax = uint64_t(r[REG_RAX]);
        info.rbx = uint64_t(r[REG_RBX]);
        info.rcx = uint64_t(r[REG_RCX]);
        info.rdx = uint64_t(r[REG_RDX]);
        info.rsi = uint64_t(r[REG_RSI]);
        info.rdi = uint64_t(r[REG_RDI]);
        info.flags = uint64_t(r[REG_EFL]);
        const uint64_t segments = uint64_t(r[REG_CSGSFS]);
        info.cs = uint16_t(segments);
        info.gs = uint16_t(segments >> 16);
        info.fs = uint16_t(segments >> 32);
        info.ss = uint16_t(segments >> 48);
    }
#else
    (void)context;
#endif
    info.kind = KindOf(signal, info.code, info.faultAddress, info.stackPointer);
}

constexpr size_t kMaxUnwoundFrames = 256;

struct UnwindWalk
{
    uintptr_t programCounters[kMaxUnwoundFrames];
    uintptr_t frames[kMaxUnwoundFrames];
    size_t count = 0;
};

_Unwind_Reason_Code CollectFrame(_Unwind_Context* context, void* argument)
{
    auto* walk = static_cast<UnwindWalk*>(argument);
    int beforeInstruction = 0;
    const uintptr_t pc = _Unwind_GetIPInfo(context, &beforeInstruction);
    if (pc == 0 || walk->count == kMaxUnwoundFrames)
        return _URC_END_OF_STACK;
    walk->programCounters[walk->count] = pc;
    walk->frames[walk->count] = _Unwind_GetCFA(context);
    ++walk->count;
    return _URC_NO_REASON;
}

_Unwind_Reason_Code IgnoreFrame(_Unwind_Context*, void*)
{
    return _URC_NO_REASON;
}

void OnFatalSignal(int signal, siginfo_t* si, void* context)
{
    // A second fatal signal while reporting (the report itself crashed) ends
    // the process at once; what was written so far stays in the file.
    static std::atomic<bool> reporting{false};
    if (reporting.exchange(true))
        dieBySignal(signal);
    CrashInfo info;
    Fill(info, signal, si, context);
    if (CrashHandler handler = gHandler.load())
        handler(info);
    dieBySignal(signal);
}

} // namespace

void installCrashHandler(CrashHandler handler)
{
    gHandler = handler;
    prepareThreadForCrashes();
    // The first walk binds the unwinder's functions and reads its tables'
    // index; done now, the walk in a handler does neither.
    _Unwind_Backtrace(IgnoreFrame, nullptr);
    if (gInstalled)
        return;
    gInstalled = true;
    for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i)
    {
        struct sigaction action
        {
        };
        action.sa_sigaction = OnFatalSignal;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        sigaction(kSignals[i], &action, &gPrevious[i]);
    }
}

void uninstallCrashHandler()
{
    if (!gInstalled)
        return;
    for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i)
        sigaction(kSignals[i], &gPrevious[i], nullptr);
    gInstalled = false;
    gHandler = nullptr;
}

void prepareThreadForCrashes()
{
    tCrashStack.Prepare();
}

void dieBySignal(int signal)
{
    struct sigaction action
    {
    };
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
    // Signals the program cannot raise on itself usefully end it anyway.
    _exit(128 + signal);
}

namespace crash
{

const char* signalName(int signal)
{
    switch (signal)
    {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

uint32_t threadId()
{
    return uint32_t(syscall(SYS_gettid));
}

int createFile(const char* path)
{
    // Whatever stands in the report's place (a link to another of the user's
    // files, a second name of one, a pipe) is taken away, not written through;
    // the report is always a new regular file. A folder there stays and no
    // report is written.
    unlink(path);
    return open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

void createFolders(const char* folder)
{
    char prefix[4096];
    size_t length = 0;
    for (const char* c = folder; *c && length + 1 < sizeof prefix; ++c)
    {
        if (*c == '/' && length > 0)
        {
            prefix[length] = 0;
            mkdir(prefix, 0755);
        }
        prefix[length++] = *c;
    }
    prefix[length] = 0;
    if (length > 0)
        mkdir(prefix, 0755);
}

void writeBytes(int fd, const char* bytes, size_t count)
{
    while (fd >= 0 && count > 0)
    {
        const ssize_t written = write(fd, bytes, count);
        if (written <= 0)
            return;
        bytes += written;
        count -= size_t(written);
    }
}

void writeText(int fd, const char* text)
{
    writeBytes(fd, text, strlen(text));
}

void closeFile(int fd)
{
    if (fd >= 0)
    {
        fsync(fd);
        close(fd);
    }
}

size_t readFile(const char* path, char* buffer, size_t capacity)
{
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    size_t total = 0;
    while (total < capacity)
    {
        const ssize_t got = read(fd, buffer + total, capacity - total);
        if (got <= 0)
            break;
        total += size_t(got);
    }
    close(fd);
    return total;
}

size_t walkFramePointers(uintptr_t framePointer, uintptr_t stackLow, uintptr_t stackHigh,
                         uintptr_t* programCounters, uintptr_t* frames, size_t capacity)
{
    size_t count = 0;
    uintptr_t frame = framePointer;
    while (count < capacity)
    {
        if (frame % sizeof(uintptr_t) != 0 || frame < stackLow || frame + 2 * sizeof(uintptr_t) > stackHigh)
            break;
        const auto* words = reinterpret_cast<const uintptr_t*>(frame);
        const uintptr_t returnAddress = words[1];
        if (returnAddress == 0)
            break;
        frames[count] = frame;
        programCounters[count] = returnAddress;
        ++count;
        const uintptr_t next = words[0];
        if (next <= frame)
            break;
        frame = next;
    }
    return count;
}

size_t walkUnwindTables(uintptr_t programCounter, uintptr_t* programCounters, uintptr_t* frames,
                        size_t capacity)
{
    static UnwindWalk walk;
    walk.count = 0;
    _Unwind_Backtrace(CollectFrame, &walk);
    size_t start = 0;
    while (start < walk.count && walk.programCounters[start] != programCounter)
        ++start;
    size_t count = 0;
    for (size_t i = start + 1; i < walk.count && count < capacity; ++i, ++count)
    {
        programCounters[count] = walk.programCounters[i];
        frames[count] = walk.frames[i];
    }
    return count;
}

void systemText(char* buffer, size_t capacity)
{
    if (capacity == 0)
        return;
    buffer[0] = 0;
    utsname names;
    if (uname(&names) != 0)
        return;
    const char* parts[] = {names.sysname, " ", names.release, " ", names.machine};
    size_t used = 0;
    for (const char* part : parts)
        for (const char* c = part; *c && used + 1 < capacity; ++c)
            buffer[used++] = *c;
    buffer[used] = 0;
}

void startDetached(const char* program, char* const argv[])
{
    const pid_t child = fork();
    if (child != 0)
        return;
    // The grandchild is adopted by the system once the child ends, so the
    // report survives the crashed process and leaves no zombie behind.
    if (fork() != 0)
        _exit(0);
    setsid();
    // The crashing thread held its signal back, and the program may have been
    // started with stop requests ignored: the report's process is ended by
    // them like any other.
    for (int stop : {SIGTERM, SIGINT, SIGHUP})
        signal(stop, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv(program, argv);
    _exit(127);
}

} // namespace crash

} // namespace platform
