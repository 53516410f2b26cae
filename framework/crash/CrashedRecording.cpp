#include "framework/crash/CrashedRecording.h"

#include "framework/foundation/Buffer.h"
#include "framework/services/DemoEvents.h"
#include "framework/services/DemoFile.h"
#include "framework/services/DemoStream.h"
#include "platform/Files.h"

#include <cstdlib>
#include <vector>

namespace Quib
{

namespace
{

// The rest of the report line that begins with `key`; false without one.
bool LineValue(const std::string& report, const char* key, std::string& value)
{
    const std::string wanted = std::string("\n") + key;
    const size_t at = report.find(wanted);
    if (at == std::string::npos)
        return false;
    const size_t start = at + wanted.size();
    value = report.substr(start, report.find_first_of("\r\n", start) - start);
    return true;
}

bool ParseCount(const std::string& text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end != text.c_str() && value >= 0;
}

} // namespace

std::string CloseCrashedRecording(const std::string& report, const std::string& productVersion)
{
    std::string updateText, path, streamText;
    long long crashUpdate = 0, bits = 0, lastEvent = 0;
    if (!LineValue(report, kDemoRecordingKey, updateText) || !LineValue(report, kDemoFileKey, path) ||
        !LineValue(report, kDemoStreamKey, streamText) || !ParseCount(updateText, crashUpdate))
        return "";
    const size_t blank = streamText.find(' ');
    if (blank == std::string::npos || !ParseCount(streamText.substr(0, blank), bits) ||
        !ParseCount(streamText.substr(blank + 1), lastEvent) || lastEvent > crashUpdate)
        return "";

    constexpr uint64_t kMaxDemoBytes = uint64_t(1) << 28;
    const auto bytes = platform::readFileNoFollow(path, kMaxDemoBytes);
    if (!bytes)
        return "";
    DemoFileHeader header;
    Buffer saved;
    std::string error;
    if (!DecodeDemoFile(*bytes, path, productVersion, header, saved, error) ||
        uint64_t(bits) > uint64_t(saved.BitSize()))
        return "";

    // The stream exactly as far as it was written, then the closing event
    // stamped with the updates since the last one.
    DemoStream stream;
    Buffer& events = stream.Data();
    const size_t wholeBytes = size_t(bits / 8);
    if (wholeBytes > 0)
        events.PutBytes(saved.Bytes(), wholeBytes);
    if (bits % 8 != 0)
        events.PutBits(saved.Bytes()[wholeBytes], int(bits % 8));
    stream.BeginEvent(int(crashUpdate - lastEvent), DemoCode::kFiller);
    header.mDemoLength = int(crashUpdate);

    const std::vector<uint8_t> closed = EncodeDemoFile(header, events);
    if (!platform::writeFileAtomic(path, closed.data(), closed.size()))
        return "";
    return std::string(closed.begin(), closed.end());
}

} // namespace Quib
