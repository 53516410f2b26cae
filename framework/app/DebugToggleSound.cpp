#include "framework/app/DebugToggleSound.h"

#include <cmath>
#include <numbers>

namespace Quib
{

std::shared_ptr<const platform::AudioBuffer> DebugToggleSound()
{
    static const std::shared_ptr<const platform::AudioBuffer> sound = []
    {
        constexpr uint32_t kRate = 22050;
        constexpr size_t kNoteFrames = kRate * 45 / 1000;
        constexpr size_t kFadeFrames = kRate * 5 / 1000;
        constexpr double kNotes[2] = {1046.5, 1568.0};
        std::vector<uint8_t> bytes;
        bytes.reserve(2 * kNoteFrames * 2);
        for (double hz : kNotes)
            for (size_t i = 0; i < kNoteFrames; ++i)
            {
                const size_t edge = std::min(i, kNoteFrames - 1 - i);
                const double envelope = edge < kFadeFrames ? double(edge) / kFadeFrames : 1.0;
                const double value =
                    0.3 * envelope * std::sin(2.0 * std::numbers::pi * hz * double(i) / kRate);
                const auto sample = static_cast<int16_t>(std::lround(value * 32767.0));
                bytes.push_back(uint8_t(uint16_t(sample) & 0xFF));
                bytes.push_back(uint8_t(uint16_t(sample) >> 8));
            }
        return std::make_shared<const platform::AudioBuffer>(platform::AudioFormat{1, kRate, 16},
                                                             std::move(bytes));
    }();
    return sound;
}

} // namespace Quib
