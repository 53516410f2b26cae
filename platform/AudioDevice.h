#pragma once

#include "platform/Mixer.h"

#include <cstdint>
#include <string>

namespace platform
{

// The sound card: an SDL audio device whose callback thread renders the
// mixer at 44,100 Hz, 16-bit stereo. When no device can be opened (a machine
// without sound, a test run) the object stays closed and the program is silent.
class AudioDevice
{
public:
    explicit AudioDevice(Mixer& mixer);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool isOpen() const { return mDevice != 0; }
    // Why the device is closed; empty when it is open.
    const std::string& error() const { return mError; }

private:
    static void callback(void* userdata, uint8_t* stream, int length);

    Mixer& mMixer;
    uint32_t mDevice = 0;
    bool mSubsystem = false;
    std::string mError;
};

} // namespace platform
