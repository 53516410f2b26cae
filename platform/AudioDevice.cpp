#include "platform/AudioDevice.h"

#include <SDL.h>

namespace platform
{

AudioDevice::AudioDevice(Mixer& mixer) : mMixer(mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        mError = SDL_GetError();
        return;
    }
    mSubsystem = true;
    SDL_AudioSpec wanted{};
    wanted.freq = int(mixer.outputRate());
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = &AudioDevice::callback;
    wanted.userdata = this;
    // No changes allowed: SDL converts whatever the hardware wants.
    SDL_AudioSpec obtained{};
    mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (mDevice == 0)
    {
        mError = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mSubsystem = false;
        return;
    }
    SDL_PauseAudioDevice(mDevice, 0);
}

AudioDevice::~AudioDevice()
{
    if (mDevice != 0)
        SDL_CloseAudioDevice(mDevice);
    if (mSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioDevice::callback(void* userdata, uint8_t* stream, int length)
{
    auto* device = static_cast<AudioDevice*>(userdata);
    device->mMixer.render(reinterpret_cast<int16_t*>(stream), size_t(length) / 4);
}

} // namespace platform
