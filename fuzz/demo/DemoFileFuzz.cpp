#include "framework/foundation/Buffer.h"
#include "framework/services/DemoFile.h"
#include "framework/services/DemoRecorder.h"
#include "framework/services/DemoReplayTarget.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

class NullTarget : public Quib::DemoReplayTarget
{
public:
    bool IsShuttingDown() override { return false; }
    void MouseMove(int, int) override {}
    void MouseDown(int, int, int) override {}
    void MouseUp(int, int, int) override {}
    void MouseWheel(int) override {}
    void KeyDown(uint32_t) override {}
    void KeyUp(uint32_t) override {}
    void KeyChar(uint8_t) override {}
    void ReplayActivation(bool) override {}
    void ReplayMinimised(bool) override {}
    void ReplayClose() override {}
    void ReplayMouseInside(bool) override {}
    void ReplayDisplayMode(bool, int) override {}
};

} // namespace

// A demo file with an empty product version, decoded and then played to its
// end, with the outside-result readers taking turns with the input replay.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    Quib::DemoFileHeader header;
    Quib::Buffer events;
    std::string error;
    if (!Quib::DecodeDemoFile(bytes, "fuzz.dmo", "", header, events, error))
        return 0;

    int update = 0;
    Quib::DemoRecorder demo([&] { return update; });
    demo.StartPlayback(header, events);
    NullTarget target;
    const int last = header.mDemoLength < 100000 ? header.mDemoLength : 100000;
    for (; update <= last && !demo.Stream().Data().ReadExhausted(); ++update)
    {
        demo.ReplayDemoEvents(target);
        demo.AllowsUpdate(update, demo.LoadingFinishedInDemo());
        switch (update % 4)
        {
        case 1:
        {
            Quib::Buffer buffer;
            demo.RecordOrReplayBuffer(buffer);
            break;
        }
        case 2:
            demo.ReplayRegistryRead();
            break;
        case 3:
        {
            std::string text;
            demo.RecordOrReplayString(text);
            break;
        }
        default:
        {
            uint8_t code = 0;
            std::string text;
            demo.ReplayHttpResult(uint32_t(update), code, text);
            break;
        }
        }
    }
    return 0;
}
