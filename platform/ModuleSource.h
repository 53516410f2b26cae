#pragma once

#include "platform/MusicStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct openmpt_module;

namespace platform
{

// A tracker module (MOD, S3M, XM, IT and the other formats the module player
// reads) rendered to 16-bit stereo at the rate it is opened with.
class ModulePcmSource : public PcmSource
{
public:
    // Null, with the reason in `error`, when the bytes are no module the player reads.
    static std::unique_ptr<ModulePcmSource> open(std::vector<uint8_t> bytes, uint32_t samplesPerSecond,
                                                 std::string& error);
    ~ModulePcmSource() override;
    ModulePcmSource(const ModulePcmSource&) = delete;
    ModulePcmSource& operator=(const ModulePcmSource&) = delete;

    AudioFormat format() const override { return mFormat; }
    size_t read(int16_t* out, size_t frames) override;
    bool seek(uint64_t frame) override;
    // A looping module plays on from where its own song loops back to.
    void setLooping(bool loop) override;
    bool seekOrder(int order) override;
    // 100 renders the module as it is written; 0 is silence.
    void setAmplification(int percent) override;

    int orderCount() const;

private:
    ModulePcmSource(std::vector<uint8_t> bytes, openmpt_module* module, uint32_t samplesPerSecond);

    std::vector<uint8_t> mBytes;
    openmpt_module* mModule;
    AudioFormat mFormat;
};

} // namespace platform
