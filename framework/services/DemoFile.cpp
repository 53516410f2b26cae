#include "framework/services/DemoFile.h"

#include "framework/foundation/Buffer.h"
#include "framework/services/DemoEvents.h"

#include <algorithm>
#include <cstring>

namespace Quib
{
namespace
{

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

// Little-endian reads over a byte image that refuse to run past its end.
class ByteReader
{
public:
    explicit ByteReader(const std::vector<uint8_t>& bytes) : mBytes(bytes) {}

    size_t Left() const { return mBytes.size() - mPosition; }
    bool U16(uint32_t& value) { return Value(value, 2); }
    bool U32(uint32_t& value) { return Value(value, 4); }
    bool Bytes(size_t count, const uint8_t*& start)
    {
        if (count > Left())
            return false;
        start = mBytes.data() + mPosition;
        mPosition += count;
        return true;
    }

private:
    bool Value(uint32_t& value, int size)
    {
        if (size_t(size) > Left())
            return false;
        value = 0;
        for (int i = 0; i < size; ++i)
            value |= uint32_t(mBytes[mPosition + size_t(i)]) << (8 * i);
        mPosition += size_t(size);
        return true;
    }

    const std::vector<uint8_t>& mBytes;
    size_t mPosition = 0;
};

// Smallest marker: an empty name (2 bytes) and its update (4 bytes).
constexpr size_t kMinMarkerBytes = 6;

bool decodeMarkers(const uint8_t* block, size_t size, std::vector<DemoMarker>& markers)
{
    Buffer buffer;
    buffer.AssignBytes(block, size);
    const uint32_t count = buffer.GetU32();
    if (count > size / kMinMarkerBytes)
        return false;
    for (uint32_t i = 0; i < count; ++i)
    {
        if (buffer.ReadExhausted())
            return false;
        DemoMarker marker;
        marker.mName = buffer.GetText();
        marker.mUpdate = int(buffer.GetU32());
        if (buffer.ReadPosition() > buffer.BitSize())
            return false;
        markers.push_back(std::move(marker));
    }
    return true;
}

// Bits of an event's payload that do not depend on its data; -1 for codes
// that are not used, and for variable payloads the fixed part before the size.
int fixedPayloadBits(int code)
{
    switch (code)
    {
    case DemoCode::kMoveTo:
        return 2 * kDemoCoordinateBits;
    case DemoCode::kActivate:
    case DemoCode::kRegistryWrite:
    case DemoCode::kFileExists:
    case DemoCode::kFileWrite:
        return 1;
    case DemoCode::kMinimise:
    case DemoCode::kKeyDown:
    case DemoCode::kKeyUp:
    case DemoCode::kWheel:
        return 8;
    case DemoCode::kDisplayMode:
        return 16;
    case DemoCode::kClose:
    case DemoCode::kMouseEnter:
    case DemoCode::kMouseLeave:
    case DemoCode::kLoadingDone:
    case DemoCode::kFiller:
    case DemoCode::kChar:
    case DemoCode::kRegistryRead:
    case DemoCode::kFileRead:
    case DemoCode::kHttpResult:
    case DemoCode::kOpaqueBuffer:
        return 0;
    default:
        return -1;
    }
}

bool bitsLeft(const Buffer& buffer, int64_t bits)
{
    return buffer.BitSize() - buffer.ReadPosition() >= bits;
}

bool skipSizedBytes(Buffer& buffer)
{
    if (!bitsLeft(buffer, 32))
        return false;
    const uint32_t size = buffer.GetU32();
    if (!bitsLeft(buffer, int64_t(size) * 8))
        return false;
    for (uint32_t i = 0; i < size; ++i)
        buffer.GetU8();
    return true;
}

bool skipVariablePayload(Buffer& buffer, int code)
{
    switch (code)
    {
    case DemoCode::kChar:
    {
        if (!bitsLeft(buffer, 1))
            return false;
        const int bits = buffer.GetBits(1, false) ? 16 : 8;
        if (!bitsLeft(buffer, bits))
            return false;
        buffer.GetBits(bits, false);
        return true;
    }
    case DemoCode::kRegistryRead:
        if (!bitsLeft(buffer, 1))
            return false;
        if (!buffer.GetBits(1, false))
            return true;
        if (!bitsLeft(buffer, 32))
            return false;
        buffer.GetU32();
        return skipSizedBytes(buffer);
    case DemoCode::kFileRead:
        if (!bitsLeft(buffer, 1))
            return false;
        return !buffer.GetBits(1, false) || skipSizedBytes(buffer);
    case DemoCode::kHttpResult:
    {
        if (!bitsLeft(buffer, 32 + 8 + 16))
            return false;
        buffer.GetU32();
        buffer.GetU8();
        const auto length = int16_t(buffer.GetU16());
        if (length < 0 || !bitsLeft(buffer, int64_t(length) * 8))
            return false;
        for (int i = 0; i < length; ++i)
            buffer.GetU8();
        return true;
    }
    case DemoCode::kOpaqueBuffer:
        return skipSizedBytes(buffer);
    default:
        return true;
    }
}

} // namespace

std::vector<uint8_t> EncodeDemoFile(const DemoFileHeader& header, const Buffer& events)
{
    std::vector<uint8_t> out;
    putU32(out, DemoFileHeader::kMagic);
    putU32(out, DemoFileHeader::kVersion);
    putU32(out, header.mRandomSeed);
    const size_t versionLength = std::min<size_t>(header.mProductVersion.size(), 0xFFFF);
    out.push_back(uint8_t(versionLength));
    out.push_back(uint8_t(versionLength >> 8));
    out.insert(out.end(), header.mProductVersion.begin(),
               header.mProductVersion.begin() + long(versionLength));

    Buffer markers;
    markers.PutU32(uint32_t(header.mMarkers.size()));
    for (const DemoMarker& marker : header.mMarkers)
    {
        markers.PutText(marker.mName);
        markers.PutU32(uint32_t(marker.mUpdate));
    }
    putU32(out, uint32_t(markers.ByteCount()));
    out.insert(out.end(), markers.Bytes(), markers.Bytes() + markers.ByteCount());

    putU32(out, uint32_t(header.mDemoLength));
    if (events.ByteCount() > 0)
        out.insert(out.end(), events.Bytes(), events.Bytes() + events.ByteCount());
    return out;
}

bool DecodeDemoFile(const std::vector<uint8_t>& bytes, const std::string& fileName,
                    const std::string& expectedProductVersion, DemoFileHeader& header, Buffer& events,
                    std::string& error)
{
    const std::string invalid = "Invalid demo file. (" + fileName + ")";
    ByteReader reader(bytes);
    uint32_t magic = 0;
    if (!reader.U32(magic) || magic != DemoFileHeader::kMagic)
    {
        error = invalid;
        return false;
    }
    uint32_t versionLength = 0;
    const uint8_t* versionText = nullptr;
    if (!reader.U32(header.mVersion) || !reader.U32(header.mRandomSeed) || !reader.U16(versionLength) ||
        !reader.Bytes(versionLength, versionText))
    {
        error = invalid;
        return false;
    }
    header.mProductVersion.assign(reinterpret_cast<const char*>(versionText), versionLength);
    if (header.mProductVersion != expectedProductVersion)
    {
        error = "This demo file appears to be for '" + header.mProductVersion.substr(0, 255) + "'";
        return false;
    }

    header.mMarkers.clear();
    if (header.mVersion > 1)
    {
        uint32_t blockSize = 0;
        const uint8_t* block = nullptr;
        if (!reader.U32(blockSize) || blockSize >= reader.Left() || !reader.Bytes(blockSize, block) ||
            !decodeMarkers(block, blockSize, header.mMarkers))
        {
            error = invalid;
            return false;
        }
    }

    // The stream must hold at least one byte after the length.
    uint32_t length = 0;
    if (reader.Left() < 5 || !reader.U32(length))
    {
        error = invalid;
        return false;
    }
    header.mDemoLength = int(std::min<uint32_t>(length, 0x7FFFFFFF));

    const uint8_t* stream = nullptr;
    const size_t streamSize = reader.Left();
    reader.Bytes(streamSize, stream);
    events.Reset();
    events.AssignBytes(stream, streamSize);
    if (!IsDemoStreamWellFormed(events))
    {
        events.Reset();
        error = invalid;
        return false;
    }
    events.RewindRead();
    return true;
}

bool IsDemoStreamWellFormed(const Buffer& events)
{
    Buffer walk;
    if (events.ByteCount() > 0)
        walk.AssignBytes(events.Bytes(), events.ByteCount());
    while (!walk.ReadExhausted())
    {
        // Fewer than 8 bits hold no whole event: they are the last byte's padding.
        const int64_t left = walk.BitSize() - walk.ReadPosition();
        if (left < 8)
            return walk.GetBits(int(left), false) == 0;
        if (!bitsLeft(walk, kDemoDeltaBits + 1))
            return false;
        walk.GetBits(kDemoDeltaBits, false);
        const bool mouse = walk.GetBits(1, false) != 0;
        if (mouse)
        {
            if (!bitsLeft(walk, 1))
                return false;
            const int kind = walk.GetBits(1, false);
            const int payload = kind == DemoMouseKind::kMoveBy ? 2 * kDemoRelativeBits : 1 + kDemoClickBits;
            if (!bitsLeft(walk, payload))
                return false;
            walk.GetBits(payload, false);
            continue;
        }
        if (!bitsLeft(walk, kDemoCodeBits))
            return false;
        const int code = walk.GetBits(kDemoCodeBits, false);
        const int fixed = fixedPayloadBits(code);
        if (fixed < 0 || !bitsLeft(walk, fixed))
            return false;
        walk.GetBits(fixed, false);
        if (!skipVariablePayload(walk, code))
            return false;
    }
    return true;
}

} // namespace Quib
