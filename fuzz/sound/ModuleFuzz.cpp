#include "platform/ModuleSource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A tracker module opened from memory, rendered a little from its start,
// from an order, looping and at another loudness.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    auto module = platform::ModulePcmSource::open(std::vector<uint8_t>(data, data + size), 44100, error);
    if (!module)
    {
        if (error.empty())
            std::abort();
        return 0;
    }
    const platform::AudioFormat format = module->format();
    if (format.channels != 2 || format.bitsPerSample != 16 || format.samplesPerSecond != 44100)
        std::abort();
    std::vector<int16_t> block(2048 * 2);
    const auto renderSome = [&]
    {
        for (int i = 0; i < 4; ++i)
            if (module->read(block.data(), 2048) > 2048)
                std::abort();
    };
    renderSome();
    module->setLooping(true);
    module->setAmplification(size % 150);
    if (module->seekOrder(int(size % 4)) != (int(size % 4) < module->orderCount()))
        std::abort();
    renderSome();
    module->seek(44100);
    renderSome();
    return 0;
}
