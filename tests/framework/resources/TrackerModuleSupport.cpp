#include "TrackerModuleSupport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

namespace soundtest
{

namespace
{

constexpr double kAmigaClock = 7093789.2;
constexpr int kRows = 64;
constexpr int kChannels = 4;

void putBigEndian16(std::vector<uint8_t>& out, size_t at, int value)
{
    out[at] = uint8_t(value >> 8);
    out[at + 1] = uint8_t(value);
}

// One pattern cell: sample number, period, effect and its parameter.
void putCell(std::vector<uint8_t>& out, size_t at, int sample, int period, int effect, int parameter)
{
    out[at] = uint8_t((sample & 0xF0) | ((period >> 8) & 0x0F));
    out[at + 1] = uint8_t(period);
    out[at + 2] = uint8_t(((sample & 0x0F) << 4) | (effect & 0x0F));
    out[at + 3] = uint8_t(parameter);
}

} // namespace

double TrackerNoteHertz(int period)
{
    return kAmigaClock / (2.0 * period) / kSineCycle;
}

std::vector<uint8_t> BuildTrackerModule(const TrackerSong& song)
{
    const size_t patterns = song.periods.size();
    const size_t header = 20 + 31 * 30 + 2 + 128 + 4;
    const size_t patternBytes = kRows * kChannels * 4;
    std::vector<uint8_t> out(header + patterns * patternBytes + kSineCycle, 0);

    const std::string title = "orvellan test";
    std::copy(title.begin(), title.end(), out.begin());
    // Sample 1: one sine cycle, full volume, looping over its whole length.
    const size_t sample = 20;
    putBigEndian16(out, sample + 22, kSineCycle / 2);
    out[sample + 25] = 64;
    putBigEndian16(out, sample + 26, 0);
    putBigEndian16(out, sample + 28, kSineCycle / 2);

    const size_t orders = 20 + 31 * 30;
    out[orders] = uint8_t(patterns);
    out[orders + 1] = 127;
    for (size_t i = 0; i < patterns; ++i)
        out[orders + 2 + i] = uint8_t(i);
    std::copy_n("M.K.", 4, out.begin() + orders + 130);

    for (size_t p = 0; p < patterns; ++p)
    {
        const size_t base = header + p * patternBytes;
        putCell(out, base, 1, song.periods[p], 0, 0);
        putCell(out, base + 4, 1, song.periods[p], 0, 0);
        // Row 1 breaks to the next order, so each order lasts two rows.
        putCell(out, base + kChannels * 4, 0, 0, 0xD, 0);
    }
    const size_t data = header + patterns * patternBytes;
    for (int i = 0; i < kSineCycle; ++i)
        out[data + size_t(i)] = uint8_t(int8_t(std::lround(100.0 * std::sin(2.0 * M_PI * i / kSineCycle))));
    return out;
}

double MeasureHertz(const int16_t* stereo, size_t frames, int channel, double samplesPerSecond)
{
    // Hysteresis keeps ripple around zero from counting as crossings.
    constexpr int kBand = 200;
    bool low = false;
    size_t first = 0;
    size_t last = 0;
    int crossings = 0;
    for (size_t i = 0; i < frames; ++i)
    {
        const int value = stereo[2 * i + size_t(channel)];
        if (value < -kBand)
            low = true;
        else if (low && value > kBand)
        {
            low = false;
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * samplesPerSecond / double(last - first);
}

} // namespace soundtest
