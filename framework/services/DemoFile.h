#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{

class Buffer;

struct DemoMarker
{
    std::string mName;
    int mUpdate = 0;

    bool operator==(const DemoMarker&) const = default;
};

// The parts of a demo file besides its event stream.
struct DemoFileHeader
{
    static constexpr uint32_t kMagic = 0x42BEEF78;
    static constexpr uint32_t kVersion = 2;

    uint32_t mVersion = kVersion;
    uint32_t mRandomSeed = 0;
    std::string mProductVersion;
    std::vector<DemoMarker> mMarkers;
    int mDemoLength = 0;
};

// The whole file image: header fields, marker block, length, then the stream's bytes.
std::vector<uint8_t> EncodeDemoFile(const DemoFileHeader& header, const Buffer& events);

// Reads a file image. On failure returns false with the error text the user
// sees; `fileName` names the file in it. The events replace the buffer's data
// with the read cursor at 0.
bool DecodeDemoFile(const std::vector<uint8_t>& bytes, const std::string& fileName,
                    const std::string& expectedProductVersion, DemoFileHeader& header, Buffer& events,
                    std::string& error);

// Walks a whole event stream: every code is a known one and every event,
// payload included, lies inside the data (the zero bits padding the last byte
// aside).
bool IsDemoStreamWellFormed(const Buffer& events);

} // namespace Quib
