#include "game/records/OptionsData.h"

#include "game/records/DataFolder.h"
#include "game/records/OptionsHost.h"
#include "game/records/SaveEncoding.h"

#include <algorithm>

namespace
{

constexpr double kVolumeScale = 1024.0;

double ReadVolume(Quib::Buffer& buffer)
{
    return std::clamp(save::ReadLong(buffer) / kVolumeScale, 0.0, 1.0);
}

void WriteVolume(Quib::Buffer& buffer, double volume)
{
    const double kept = volume >= 0.0 ? std::min(volume, 1.0) : 0.0;
    save::WriteLong(buffer, int32_t(kept * kVolumeScale));
}

} // namespace

void OptionsData::Load(OptionsHost* host)
{
    const std::string path = GetOptionsFilePath();
    if (!SaveFileExists(path))
    {
        Save();
        return;
    }
    std::optional<Quib::Buffer> buffer = ReadSaveFile(path);
    if (!buffer)
    {
        if (host != nullptr)
            host->ShowOptionsError("Could not read contents of options.dat");
        return;
    }
    Read(*buffer);
}

bool OptionsData::Save() const
{
    Quib::Buffer buffer;
    Write(buffer);
    return WriteSaveFile(GetOptionsFilePath(), buffer);
}

void OptionsData::ApplyScreenMode(OptionsHost& host) const
{
    if (mFullscreen == host.IsWindowedMode())
        host.SwitchScreenMode(!mFullscreen, true, true);
}

void OptionsData::Read(Quib::Buffer& buffer)
{
    mFullscreen = save::ReadFlag(buffer);
    mMusicVolume = ReadVolume(buffer);
    mSoundVolume = ReadVolume(buffer);
    mAmbientVolume = ReadVolume(buffer);
    mGameCompleted = save::ReadFlag(buffer);
}

void OptionsData::Write(Quib::Buffer& buffer) const
{
    save::WriteFlag(buffer, mFullscreen);
    WriteVolume(buffer, mMusicVolume);
    WriteVolume(buffer, mSoundVolume);
    WriteVolume(buffer, mAmbientVolume);
    save::WriteFlag(buffer, mGameCompleted);
}
