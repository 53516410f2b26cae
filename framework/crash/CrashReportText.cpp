#include "framework/crash/CrashReportText.h"

#include "framework/crash/ModuleMap.h"
#include "framework/crash/SafeText.h"

namespace Quib
{

namespace
{

struct NamedCode
{
    uint32_t mCode;
    const char* mName;
};

constexpr NamedCode kExceptionNames[] = {
    {0x40000005, "Segment Notification"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0x00000000, "Wait 0"},
    {0x00000080, "Abandoned Wait 0"},
    {0x000000C0, "User APC"},
    {0x00000102, "Timeout"},
    {0x00000103, "Pending"},
    {0x80000001, "Guard Page Violation"},
    {0x80000002, "Data Type Misalignment"},
    {0xC0000005, "Access Violation"},
    {0xC0000006, "In Page Error"},
    {0xC0000017, "No Memory"},
    {0xC000001D, "Illegal Instruction"},
    {0xC0000025, "Noncontinuable Exception"},
    {0xC0000026, "Invalid Disposition"},
    {0xC000008C, "Array Bounds Exceeded"},
    {0xC000008D, "Float Denormal Operand"},
    {0xC000008E, "Divide by Zero"},
    {0xC000008F, "Float Inexact Result"},
    {0xC0000090, "Float Invalid Operation"},
    {0xC0000091, "Float Overflow"},
    {0xC0000092, "Float Stack Check"},
    {0xC0000093, "Float Underflow"},
    {0xC0000094, "Integer Divide by Zero"},
    {0xC0000095, "Integer Overflow"},
    {0xC0000096, "Privileged Instruction"},
    {0xC00000FD, "Stack Overflow"},
    {0xC000013A, "Ctrl+C Exit"},
};

// What an abort ends a program with on the system the report's codes come from.
constexpr uint32_t kFatalExitCode = 0x40000015;

uint32_t CodeForKind(platform::CrashKind kind)
{
    using K = platform::CrashKind;
    switch (kind)
    {
    case K::AccessViolation:
        return 0xC0000005;
    case K::StackOverflow:
        return 0xC00000FD;
    case K::Misaligned:
        return 0x80000002;
    case K::BusError:
        return 0xC0000006;
    case K::IntegerDivide:
        return 0xC0000094;
    case K::IntegerOverflow:
        return 0xC0000095;
    case K::FloatDivide:
        return 0xC000008E;
    case K::FloatOverflow:
        return 0xC0000091;
    case K::FloatUnderflow:
        return 0xC0000093;
    case K::FloatInexact:
        return 0xC000008F;
    case K::FloatInvalid:
        return 0xC0000090;
    case K::IllegalInstruction:
        return 0xC000001D;
    case K::PrivilegedInstruction:
        return 0xC0000096;
    case K::Abort:
    case K::Other:
        break;
    }
    return kFatalExitCode;
}

class LineWriter
{
public:
    LineWriter(ReportSink sink, void* context) : mSink(sink), mContext(context) {}
    SafeText& Line() { return mLine; }
    void End()
    {
        mLine.Add("\r\n");
        mSink(mContext, mLine.Text(), mLine.Length());
        mLine.Clear();
    }

private:
    ReportSink mSink;
    void* mContext;
    SafeText mLine;
};

void AddModuleName(SafeText& line, const MappedAddress& mapped)
{
    const char* name;
    size_t length;
    ModuleFileName(mapped, name, length);
    if (length == 0)
        line.Add("?");
    else
        line.Add(name, length);
}

uintptr_t Offset(const MappedAddress& mapped, uintptr_t address)
{
    return mapped.mFound ? address - mapped.mBase : address;
}

void WriteStackLine(LineWriter& out, const CrashReportInput& in, uintptr_t pc, uintptr_t frame)
{
    const MappedAddress mapped = FindMappedAddress(in.mMaps, in.mMapsSize, pc);
    SafeText& line = out.Line();
    line.Hex(pc, 8).Add("  ").Hex(frame, 8).Add("  ").Hex(uint64_t(mapped.mSection), 4).Add(":");
    line.Hex(Offset(mapped, pc), 8).Add(" ");
    AddModuleName(line, mapped);
    out.End();
}

void WriteRegisters(LineWriter& out, const platform::CrashInfo& info)
{
    SafeText& line = out.Line();
    line.Add("RAX:").Hex(info.rax, 8).Add(" RBX:").Hex(info.rbx, 8).Add(" RCX:").Hex(info.rcx, 8);
    line.Add(" RDX:").Hex(info.rdx, 8).Add(" RSI:").Hex(info.rsi, 8).Add(" RDI:").Hex(info.rdi, 8);
    out.End();
    out.Line().Add("RIP:").Hex(info.programCounter, 8).Add(" RSP:").Hex(info.stackPointer, 8);
    out.Line().Add("  RBP:").Hex(info.framePointer, 8);
    out.End();
    out.Line()
        .Add("CS:")
        .Hex(info.cs, 4)
        .Add(" SS:")
        .Hex(info.ss, 4)
        .Add(" DS:")
        .Hex(0, 4)
        .Add(" ES:")
        .Hex(0, 4);
    out.Line().Add(" FS:").Hex(info.fs, 4).Add(" GS:").Hex(info.gs, 4);
    out.End();
    out.Line().Add("Flags:").Hex(info.flags, 8);
    out.End();
    out.End();
}

// The full paths of the modules the stack passes through, so that the report
// can be resolved to function names after the process is gone.
void WriteModulePaths(LineWriter& out, const CrashReportInput& in)
{
    constexpr size_t kMaxModules = 16;
    MappedAddress seen[kMaxModules];
    size_t count = 0;
    for (size_t i = 0; i <= in.mFrameCount && count < kMaxModules; ++i)
    {
        const uintptr_t pc = i == 0 ? in.mInfo->programCounter : in.mProgramCounters[i - 1];
        const MappedAddress mapped = FindMappedAddress(in.mMaps, in.mMapsSize, pc);
        if (!mapped.mFound || mapped.mPathLength == 0 || mapped.mPath[0] != '/')
            continue;
        bool known = false;
        for (size_t k = 0; k < count && !known; ++k)
            known = seen[k].mBase == mapped.mBase;
        if (!known)
            seen[count++] = mapped;
    }
    if (count == 0)
        return;
    out.Line().Add("Modules:");
    out.End();
    for (size_t k = 0; k < count; ++k)
    {
        out.Line().Hex(seen[k].mBase, 8).Add(" ").Add(seen[k].mPath, seen[k].mPathLength);
        out.End();
    }
}

} // namespace

const char* ExceptionName(uint32_t code)
{
    for (const NamedCode& entry : kExceptionNames)
        if (entry.mCode == code)
            return entry.mName;
    return nullptr;
}

ReportException ExceptionForCrash(const platform::CrashInfo& info)
{
    const uint32_t code = CodeForKind(info.kind);
    return {code, ExceptionName(code)};
}

void WriteCrashReport(const CrashReportInput& in, ReportSink write, void* context)
{
    LineWriter out(write, context);
    const platform::CrashInfo& info = *in.mInfo;
    const uintptr_t address = info.programCounter;
    SafeText& first = out.Line();
    if (in.mException.mName)
        first.Add("Exception: ").Add(in.mException.mName).Add(" (code 0x").Hex(in.mException.mCode, 1, false);
    else
        first.Add("Unknown exception: (code 0x").Hex(in.mException.mCode, 1, false);
    first.Add(") at address ").Hex(address, 8).Add(" in thread ").Hex(in.mThreadId, 1);
    out.End();
    if (info.signal != 0)
    {
        out.Line()
            .Add("Signal: ")
            .Add(platform::crash::signalName(info.signal))
            .Add(" (")
            .Decimal(info.signal);
        out.Line().Add("), fault address ").Hex(info.faultAddress, 8);
        out.End();
    }
    if (in.mNote[0])
    {
        out.Line().Add(in.mNote);
        out.End();
    }

    const MappedAddress mapped = FindMappedAddress(in.mMaps, in.mMapsSize, address);
    AddModuleName(out.Line().Add("Module: "), mapped);
    out.End();
    out.Line()
        .Add("Logical Address: ")
        .Hex(uint64_t(mapped.mSection), 4)
        .Add(":")
        .Hex(Offset(mapped, address), 8);
    out.End();
    out.End();

    WriteStackLine(out, in, address, info.framePointer);
    for (size_t i = 0; i < in.mFrameCount; ++i)
        WriteStackLine(out, in, in.mProgramCounters[i], in.mFrames[i]);
    out.End();

    if (info.hasRegisters)
        WriteRegisters(out, info);

    out.Line().Add("System Ver: ").Add(in.mSystem);
    out.End();
    if (in.mApplication[0])
    {
        out.End();
        write(context, in.mApplication, SafeText::LengthOf(in.mApplication));
    }
    write(context, in.mDemo, SafeText::LengthOf(in.mDemo));
    out.End();
    WriteModulePaths(out, in);
}

} // namespace Quib
