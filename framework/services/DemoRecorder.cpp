#include "framework/services/DemoRecorder.h"

#include "framework/files/PakFile.h"
#include "framework/foundation/Paths.h"
#include "framework/foundation/RandomGenerator.h"
#include "framework/services/DemoEvents.h"
#include "framework/services/DemoReplayTarget.h"
#include "platform/FileWriteErrors.h"
#include "platform/Files.h"
#include "platform/Random.h"

#include <cstdlib>

namespace Quib
{
namespace
{

using namespace platform;

constexpr int kCoordinateRange = 1 << kDemoCoordinateBits;
constexpr int kRelativeLimit = 1 << (kDemoRelativeBits - 1);

bool isMouseMessage(uint32_t id)
{
    return id >= WM_MOUSEMOVE && id <= WM_MBUTTONDBLCLK;
}

// Click code and down flag of a button message; false for a plain move.
bool buttonOf(uint32_t id, int& clickCode, bool& down)
{
    switch (id)
    {
    case WM_LBUTTONDOWN:
        clickCode = 1, down = true;
        return true;
    case WM_LBUTTONUP:
        clickCode = 1, down = false;
        return true;
    case WM_LBUTTONDBLCLK:
        clickCode = 2, down = true;
        return true;
    case WM_RBUTTONDOWN:
        clickCode = -1, down = true;
        return true;
    case WM_RBUTTONUP:
        clickCode = -1, down = false;
        return true;
    case WM_RBUTTONDBLCLK:
        clickCode = -2, down = true;
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        clickCode = 3, down = true;
        return true;
    case WM_MBUTTONUP:
        clickCode = 3, down = false;
        return true;
    default:
        return false;
    }
}

// The coordinate a 12-bit field reads back as.
int storedCoordinate(int value)
{
    return ((value % kCoordinateRange) + kCoordinateRange) % kCoordinateRange;
}

// The largest file read whole; a recording stores its size in 32 bits, and
// the save files these reads are for are a few kilobytes.
constexpr long kMaxWholeFileBytes = long(1) << 28;

// Reads an archive or disk file whole, as the file layer's callers expect.
// A file beyond the limit counts as one that cannot be read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path)
{
    PakFile* file = PakFileOpen(path, "rb");
    if (!file)
        return std::nullopt;
    PakFileSeek(file, 0, 2);
    const long size = PakFileTell(file);
    PakFileSeek(file, 0, 0);
    if (size > kMaxWholeFileBytes)
    {
        PakFileClose(file);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(size > 0 ? size_t(size) : 0);
    const size_t read = bytes.empty() ? 0 : PakFileRead(bytes.data(), 1, bytes.size(), file);
    PakFileClose(file);
    bytes.resize(read);
    return bytes;
}

// The 32-bit value at the buffer's read cursor, without moving it.
uint32_t peekU32(const Buffer& buffer)
{
    uint32_t value = 0;
    const int64_t position = buffer.ReadPosition();
    for (int bit = 0; bit < 32; ++bit)
    {
        const int64_t at = position + bit;
        if (at >= buffer.BitSize())
            break;
        if ((buffer.Bytes()[at / 8] >> (at % 8)) & 1)
            value |= 1u << bit;
    }
    return value;
}

} // namespace

DemoRecorder::DemoRecorder(UpdateCounter updateCount) : mUpdateCount(std::move(updateCount)) {}

void DemoRecorder::StartRecording(uint32_t randomSeed)
{
    mRecording = true;
    mPlaying = false;
    mRandomSeed = randomSeed;
    mStream = DemoStream();
    mMouseX = mMouseY = 0;
    SeedRandom(randomSeed);
    platform::srand(randomSeed);
}

bool DemoRecorder::ReadDemoFile(const std::string& fileName, const std::string& productVersion,
                                std::string& error)
{
    // A demo is a recording of input, never near this size; the limit keeps a
    // wrong file from being read whole.
    constexpr uint64_t kMaxDemoBytes = uint64_t(1) << 28;
    const auto bytes = platform::readFile(platform::nativePath(fileName), kMaxDemoBytes);
    if (!bytes)
    {
        error = "Demo file not found: " + fileName;
        return false;
    }
    DemoFileHeader header;
    Buffer events;
    if (!DecodeDemoFile(*bytes, fileName, productVersion, header, events, error))
        return false;

    StartPlayback(std::move(header), events);
    return true;
}

void DemoRecorder::StartPlayback(DemoFileHeader header, const Buffer& events)
{
    mRandomSeed = header.mRandomSeed;
    SeedRandom(mRandomSeed);
    platform::srand(mRandomSeed);
    mMarkers = std::move(header.mMarkers);
    mDemoLength = header.mDemoLength;
    mStream = DemoStream();
    if (events.ByteCount() > 0)
        mStream.Data().AssignBytes(events.Bytes(), events.ByteCount());
    mStream.RestartTiming();
    mMouseX = mMouseY = 0;
    mLoadingFinishedInDemo = false;
    mWindowClosed = false;
    mPlaying = true;
    mRecording = false;
}

bool DemoRecorder::WriteDemoFile(const std::string& fileName, const std::string& productVersion)
{
    if (!mRecording)
        return false;
    DemoFileHeader header;
    header.mRandomSeed = mRandomSeed;
    header.mProductVersion = productVersion;
    header.mDemoLength = Now();
    const std::vector<uint8_t> bytes = EncodeDemoFile(header, mStream.Data());
    return platform::writeFileAtomic(platform::nativePath(fileName), bytes.data(), bytes.size());
}

void DemoRecorder::RecordMessage(const platform::Message& message, uint32_t mainWindow,
                                 uint32_t invisibleWindow, const std::function<void(int&, int&)>& mapMouse)
{
    Buffer& data = mStream.Data();
    const uint32_t id = message.message;
    switch (id)
    {
    case WM_ACTIVATEAPP:
        if (message.window == mainWindow)
        {
            mStream.BeginEvent(Now(), DemoCode::kActivate);
            data.PutBits(message.wParam != 0 ? 1 : 0, 1);
        }
        return;
    case WM_CLOSE:
        if (message.window == mainWindow || message.window == invisibleWindow)
            mStream.BeginEvent(Now(), DemoCode::kClose);
        return;
    case WM_SIZE:
        mStream.BeginEvent(Now(), DemoCode::kMinimise);
        data.PutFlag(message.wParam == SIZE_MINIMIZED);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        mStream.BeginEvent(Now(),
                           id == WM_KEYDOWN || id == WM_SYSKEYDOWN ? DemoCode::kKeyDown : DemoCode::kKeyUp);
        data.PutBits(uint32_t(message.wParam & 0xFF), 8);
        return;
    case WM_CHAR:
        mStream.BeginEvent(Now(), DemoCode::kChar);
        data.PutBits(0, 1);
        data.PutBits(uint32_t(message.wParam & 0xFF), 8);
        return;
    case WM_MOUSEWHEEL:
        mStream.BeginEvent(Now(), DemoCode::kWheel);
        data.PutBits(uint32_t(hiWordSigned(intptr_t(message.wParam)) / WHEEL_DELTA) & 0xFF, 8);
        return;
    default:
        break;
    }
    if (!isMouseMessage(id))
        return;

    int x = loWordSigned(message.lParam);
    int y = hiWordSigned(message.lParam);
    if (mapMouse)
        mapMouse(x, y);
    RecordPointer(x, y);
    int clickCode = 0;
    bool down = false;
    if (buttonOf(id, clickCode, down))
    {
        mStream.BeginMouseEvent(Now(), DemoMouseKind::kButton);
        data.PutBits(down ? 1 : 0, 1);
        data.PutBits(uint32_t(clickCode) & 0x7, kDemoClickBits);
    }
}

void DemoRecorder::RecordPointer(int x, int y)
{
    const int dx = x - mMouseX;
    const int dy = y - mMouseY;
    Buffer& data = mStream.Data();
    if (std::abs(dx) < kRelativeLimit && std::abs(dy) < kRelativeLimit)
    {
        if (dx == 0 && dy == 0)
            return;
        mStream.BeginMouseEvent(Now(), DemoMouseKind::kMoveBy);
        data.PutBits(uint32_t(dx) & 0x3F, kDemoRelativeBits);
        data.PutBits(uint32_t(dy) & 0x3F, kDemoRelativeBits);
        mMouseX = x;
        mMouseY = y;
        return;
    }
    mStream.BeginEvent(Now(), DemoCode::kMoveTo);
    data.PutBits(uint32_t(x) & 0xFFF, kDemoCoordinateBits);
    data.PutBits(uint32_t(y) & 0xFFF, kDemoCoordinateBits);
    // Playback only knows the stored form; later relative moves start from it.
    mMouseX = storedCoordinate(x);
    mMouseY = storedCoordinate(y);
}

void DemoRecorder::RecordMouseEnterLeave(bool entered)
{
    mStream.BeginEvent(Now(), entered ? DemoCode::kMouseEnter : DemoCode::kMouseLeave);
}

void DemoRecorder::RecordLoadingDone()
{
    mStream.BeginEvent(Now(), DemoCode::kLoadingDone);
}

void DemoRecorder::RecordDisplayMode(bool windowed, int refreshRate)
{
    if (!mRecording)
        return;
    mStream.BeginEvent(Now(), DemoCode::kDisplayMode);
    mStream.Data().PutFlag(windowed);
    mStream.Data().PutU8(uint8_t(refreshRate));
}

void DemoRecorder::WriteFiller()
{
    mStream.BeginEvent(Now(), DemoCode::kFiller);
}

void DemoRecorder::ReplayDemoEvents(DemoReplayTarget& target)
{
    if (!mPlaying)
        return;
    while (!target.IsShuttingDown())
    {
        if (Now() != mStream.LastEventUpdate() || mStream.Data().ReadExhausted())
            return;
        if (!mStream.ReadEventHeader(Now()))
            continue;
        mStream.TakeEvent();
        ApplyEvent(target);
    }
}

void DemoRecorder::ApplyEvent(DemoReplayTarget& target)
{
    Buffer& data = mStream.Data();
    if (mStream.PendingIsMouse())
    {
        if (mStream.PendingCode() == DemoMouseKind::kMoveBy)
        {
            if (!mStream.HasBits(2 * kDemoRelativeBits))
                return;
            mMouseX += data.GetBits(kDemoRelativeBits, true);
            mMouseY += data.GetBits(kDemoRelativeBits, true);
            target.MouseMove(mMouseX, mMouseY);
            return;
        }
        if (!mStream.HasBits(1 + kDemoClickBits))
            return;
        const bool down = data.GetBits(1, false) != 0;
        const int clickCode = data.GetBits(kDemoClickBits, true);
        if (down)
            target.MouseDown(mMouseX, mMouseY, clickCode);
        else
            target.MouseUp(mMouseX, mMouseY, clickCode);
        return;
    }
    switch (mStream.PendingCode())
    {
    case DemoCode::kMoveTo:
        if (!mStream.HasBits(2 * kDemoCoordinateBits))
            return;
        mMouseX = data.GetBits(kDemoCoordinateBits, false);
        mMouseY = data.GetBits(kDemoCoordinateBits, false);
        target.MouseMove(mMouseX, mMouseY);
        return;
    case DemoCode::kActivate:
        target.ReplayActivation(data.GetBits(1, false) != 0);
        return;
    case DemoCode::kMinimise:
        target.ReplayMinimised(data.GetFlag());
        return;
    case DemoCode::kKeyDown:
        target.KeyDown(uint32_t(data.GetBits(8, false)));
        return;
    case DemoCode::kKeyUp:
        target.KeyUp(uint32_t(data.GetBits(8, false)));
        return;
    case DemoCode::kChar:
    {
        const int bits = data.GetBits(1, false) ? 16 : 8;
        target.KeyChar(uint8_t(data.GetBits(bits, false)));
        return;
    }
    case DemoCode::kClose:
        target.ReplayClose();
        return;
    case DemoCode::kMouseEnter:
        target.ReplayMouseInside(true);
        return;
    case DemoCode::kMouseLeave:
        target.ReplayMouseInside(false);
        return;
    case DemoCode::kLoadingDone:
        mLoadingFinishedInDemo = true;
        return;
    case DemoCode::kWheel:
        target.MouseWheel(data.GetBits(8, true));
        return;
    case DemoCode::kDisplayMode:
    {
        const bool windowed = data.GetFlag();
        target.ReplayDisplayMode(windowed, data.GetU8());
        return;
    }
    default:
        return;
    }
}

void DemoRecorder::ReplayStartDisplayMode(DemoReplayTarget& target)
{
    if (!mPlaying || mStream.Data().ReadExhausted() || !mStream.ReadEventHeader(Now()))
        return;
    if (mStream.PendingIsMouse() || mStream.PendingCode() != DemoCode::kDisplayMode)
        return;
    mStream.TakeEvent();
    ApplyEvent(target);
}

bool DemoRecorder::AllowsUpdate(int updateCount, bool loadingHandled)
{
    if (loadingHandled != mLoadingFinishedInDemo)
        return false;
    if (mStream.Data().ReadExhausted() && mStream.IsHeaderPending())
        return true;
    return !mStream.ReadEventHeader(updateCount);
}

void DemoRecorder::TakeNextEvent()
{
    mStream.ReadEventHeader(Now());
    mStream.TakeEvent();
}

std::optional<uint32_t> DemoRecorder::ReadPayloadSize()
{
    if (!mStream.HasBits(32))
        return std::nullopt;
    const uint32_t size = mStream.Data().GetU32();
    if (int64_t(size) > mStream.BytesLeft())
        return std::nullopt;
    return size;
}

void DemoRecorder::RecordOrReplayBuffer(Buffer& buffer)
{
    if (mRecording)
    {
        mStream.BeginEvent(Now(), DemoCode::kOpaqueBuffer);
        mStream.Data().PutU32(uint32_t(buffer.ByteCount()));
        if (buffer.ByteCount() > 0)
            mStream.Data().PutBytes(buffer.Bytes(), buffer.ByteCount());
    }
    else if (StandsInForOutside())
    {
        TakeNextEvent();
        const uint32_t size = ReadPayloadSize().value_or(0);
        buffer.Reset();
        for (uint32_t i = 0; i < size; ++i)
            buffer.PutU8(mStream.Data().GetU8());
    }
    buffer.RewindRead();
}

void DemoRecorder::RecordOrReplayString(std::string& text)
{
    Buffer buffer;
    buffer.PutText(text);
    RecordOrReplayBuffer(buffer);
    text = buffer.GetText();
}

void DemoRecorder::RecordOrReplayBool(bool& flag)
{
    Buffer buffer;
    buffer.PutFlag(flag);
    RecordOrReplayBuffer(buffer);
    flag = buffer.GetFlag();
}

bool DemoRecorder::ReadBufferFromFile(const std::string& path, Buffer& buffer, bool doNotRecord)
{
    if (mPlaying && !doNotRecord)
    {
        if (mWindowClosed)
            return false;
        TakeNextEvent();
        if (!mStream.HasBits(1) || !mStream.Data().GetBits(1, false))
            return false;
        const auto size = ReadPayloadSize();
        if (!size)
            return false;
        buffer.Reset();
        for (uint32_t i = 0; i < *size; ++i)
            buffer.PutU8(mStream.Data().GetU8());
        buffer.RewindRead();
        return true;
    }
    const bool record = mRecording && !doNotRecord;
    const auto bytes = readWholeFile(path);
    if (!bytes)
    {
        if (record)
        {
            mStream.BeginEvent(Now(), DemoCode::kFileRead);
            mStream.Data().PutBits(0, 1);
        }
        return false;
    }
    buffer.Reset();
    buffer.AssignBytes(bytes->data(), bytes->size());
    if (record)
    {
        mStream.BeginEvent(Now(), DemoCode::kFileRead);
        mStream.Data().PutBits(1, 1);
        mStream.Data().PutU32(uint32_t(bytes->size()));
        mStream.Data().PutBytes(bytes->data(), bytes->size());
    }
    return true;
}

bool DemoRecorder::FileExists(const std::string& path)
{
    if (mPlaying)
    {
        if (mWindowClosed)
            return true;
        TakeNextEvent();
        return mStream.Data().GetBits(1, false) != 0;
    }
    PakFile* file = PakFileOpen(path, "rb");
    const bool exists = file != nullptr;
    PakFileClose(file);
    if (mRecording)
    {
        mStream.BeginEvent(Now(), DemoCode::kFileExists);
        mStream.Data().PutBits(exists ? 1 : 0, 1);
    }
    return exists;
}

bool DemoRecorder::WriteBytesToFile(const std::string& path, const void* bytes, size_t count)
{
    if (mPlaying)
    {
        if (mWindowClosed)
            return true;
        TakeNextEvent();
        return mStream.Data().GetBits(1, false) != 0;
    }
    MakeDirectories(DirectoryOfPath(path));
    // Save files are replaced whole, so a crash or a full disk keeps the old one.
    mLastWriteError = 0;
    const bool written = platform::writeFileAtomic(platform::nativePath(path), bytes, count, mLastWriteError);
    if (mRecording)
    {
        mStream.BeginEvent(Now(), DemoCode::kFileWrite);
        mStream.Data().PutBits(written ? 1 : 0, 1);
    }
    return written;
}

bool DemoRecorder::WriteBufferToFile(const std::string& path, const Buffer& buffer)
{
    return WriteBytesToFile(path, buffer.Bytes(), buffer.ByteCount());
}

void DemoRecorder::RecordHttpResult(uint32_t transfer, uint8_t resultCode, const std::string& resultText)
{
    if (!mRecording)
        return;
    mStream.BeginEvent(Now(), DemoCode::kHttpResult);
    mStream.Data().PutU32(transfer);
    mStream.Data().PutU8(resultCode);
    mStream.Data().PutText(resultCode == 2 ? std::string() : resultText);
}

bool DemoRecorder::ReplayHttpResult(uint32_t transfer, uint8_t& resultCode, std::string& resultText)
{
    if (!StandsInForOutside() || !mStream.ReadEventHeader(Now()) || mStream.PendingIsMouse() ||
        mStream.PendingCode() != DemoCode::kHttpResult || !mStream.HasBits(32 + 8 + 16) ||
        peekU32(mStream.Data()) != transfer)
        return false;
    mStream.TakeEvent();
    Buffer& data = mStream.Data();
    data.GetU32();
    resultCode = data.GetU8();
    resultText = data.GetText();
    return true;
}

void DemoRecorder::RecordRegistryWrite(bool success)
{
    if (!mRecording)
        return;
    mStream.BeginEvent(Now(), DemoCode::kRegistryWrite);
    mStream.Data().PutBits(success ? 1 : 0, 1);
}

bool DemoRecorder::ReplayRegistryWrite()
{
    if (mWindowClosed)
        return true;
    TakeNextEvent();
    return mStream.Data().GetBits(1, false) != 0;
}

void DemoRecorder::RecordRegistryRead(const std::optional<RegistryValue>& value)
{
    if (!mRecording)
        return;
    Buffer& data = mStream.Data();
    mStream.BeginEvent(Now(), DemoCode::kRegistryRead);
    data.PutBits(value ? 1 : 0, 1);
    if (!value)
        return;
    data.PutU32(value->mType);
    data.PutU32(uint32_t(value->mData.size()));
    if (!value->mData.empty())
        data.PutBytes(value->mData.data(), value->mData.size());
}

std::optional<DemoRecorder::RegistryValue> DemoRecorder::ReplayRegistryRead()
{
    if (mWindowClosed)
        return std::nullopt;
    TakeNextEvent();
    Buffer& data = mStream.Data();
    if (!mStream.HasBits(1) || !data.GetBits(1, false) || !mStream.HasBits(32))
        return std::nullopt;
    RegistryValue value;
    value.mType = data.GetU32();
    const auto size = ReadPayloadSize();
    if (!size)
        return std::nullopt;
    value.mData.resize(*size);
    data.GetBytes(value.mData.data(), value.mData.size());
    return value;
}

} // namespace Quib
