#include "framework/services/RegistrySettings.h"

#include "framework/foundation/Paths.h"
#include "framework/services/DemoRecorder.h"
#include "platform/RegistryStore.h"

#include <cstring>

namespace Quib
{

void RegistrySettings::SplitValuePath(const std::string& valueName, std::string& keyPath,
                                      std::string& name) const
{
    keyPath = StripPathSeparator("SOFTWARE\\" + mRegistryKey);
    const size_t separator = valueName.rfind('\\');
    if (separator == std::string::npos)
    {
        name = valueName;
        return;
    }
    keyPath += "\\" + valueName.substr(0, separator);
    name = valueName.substr(separator + 1);
}

bool RegistrySettings::WriteRegistryValue(const std::string& valueName, uint32_t type, const void* data,
                                          uint32_t size)
{
    if (mRegistryKey.empty())
        return false;
    if (mDemo.IsPlaying())
        return mDemo.ReplayRegistryWrite();
    std::string keyPath, name;
    SplitValuePath(valueName, keyPath, name);
    platform::RegistryStore store(platform::RegistryStore::fileForKey(mRegistryKey));
    const bool written = store.write(keyPath, name, type, data, size);
    mDemo.RecordRegistryWrite(written);
    return written;
}

bool RegistrySettings::WriteRegistryString(const std::string& valueName, const std::string& text)
{
    return WriteRegistryValue(valueName, REG_SZ, text.data(), uint32_t(text.size()));
}

bool RegistrySettings::WriteRegistryInt(const std::string& valueName, int value)
{
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(uint32_t(value) >> (8 * i));
    return WriteRegistryValue(valueName, REG_DWORD, bytes, 4);
}

bool RegistrySettings::WriteRegistryBool(const std::string& valueName, bool value)
{
    return WriteRegistryInt(valueName, value ? 1 : 0);
}

bool RegistrySettings::ReadRegistryValue(const std::string& valueName, uint32_t& type, void* buffer,
                                         uint32_t& size)
{
    if (mRegistryKey.empty())
        return false;
    std::optional<DemoRecorder::RegistryValue> value;
    if (mDemo.IsPlaying())
    {
        value = mDemo.ReplayRegistryRead();
    }
    else
    {
        std::string keyPath, name;
        SplitValuePath(valueName, keyPath, name);
        const platform::RegistryStore store(platform::RegistryStore::fileForKey(mRegistryKey));
        if (auto stored = store.read(keyPath, name); stored && stored->data.size() <= size)
            value = DemoRecorder::RegistryValue{stored->type, std::move(stored->data)};
        mDemo.RecordRegistryRead(value);
    }
    // A recorded value too large for the buffer is refused like a live one.
    if (!value || value->mData.size() > size)
        return false;
    type = value->mType;
    size = uint32_t(value->mData.size());
    if (size > 0)
        std::memcpy(buffer, value->mData.data(), size);
    return true;
}

bool RegistrySettings::ReadRegistryInt(const std::string& valueName, int& value)
{
    uint8_t bytes[4] = {};
    uint32_t type = 0;
    uint32_t size = sizeof(bytes);
    if (!ReadRegistryValue(valueName, type, bytes, size) || size != 4)
        return false;
    value = int(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                uint32_t(bytes[3]) << 24);
    return true;
}

bool RegistrySettings::ReadRegistryBool(const std::string& valueName, bool& value)
{
    int number = 0;
    if (!ReadRegistryInt(valueName, number))
        return false;
    value = number != 0;
    return true;
}

bool RegistrySettings::EraseRegistryValue(const std::string& valueName)
{
    if (mRegistryKey.empty())
        return false;
    std::string keyPath, name;
    SplitValuePath(valueName, keyPath, name);
    platform::RegistryStore store(platform::RegistryStore::fileForKey(mRegistryKey));
    return store.erase(keyPath, name);
}

void RegistrySettings::SaveSettingsToRegistry(const SavedSettings& settings)
{
    WriteRegistryInt("MusicVolume", int(settings.mMusicVolume * 100));
    WriteRegistryInt("SfxVolume", int(settings.mSfxVolume * 100));
    WriteRegistryInt("Muted", settings.mMuteCount - settings.mAutoMuteCount > 0 ? 1 : 0);
    WriteRegistryInt("ScreenMode", settings.mWindowed ? 0 : 1);
    WriteRegistryInt("PreferredX", settings.mPreferredX);
    WriteRegistryInt("PreferredY", settings.mPreferredY);
    WriteRegistryInt("CustomCursors", settings.mCustomCursors ? 1 : 0);
    WriteRegistryInt("InProgress", 0);
    WriteRegistryInt("WaitForVSync", settings.mWaitForVSync ? 1 : 0);
}

void RegistrySettings::LoadSettingsFromRegistry(const std::string& keyFromStringTable,
                                                SavedSettings& settings, bool screenSaver)
{
    mRegistryKey = keyFromStringTable;
    if (mRegistryKey.empty())
        return;
    int value = 0;
    if (ReadRegistryInt("MusicVolume", value))
        settings.mMusicVolume = value / 100.0;
    if (ReadRegistryInt("SfxVolume", value))
        settings.mSfxVolume = value / 100.0;
    if (ReadRegistryInt("Muted", value))
        settings.mMuteCount = value;
    if (ReadRegistryInt("ScreenMode", value))
        settings.mWindowed = value == 0;
    ReadRegistryInt("PreferredX", settings.mPreferredX);
    ReadRegistryInt("PreferredY", settings.mPreferredY);
    if (ReadRegistryInt("CustomCursors", value))
        settings.mCustomCursors = value != 0;
    ReadRegistryBool("WaitForVSync", settings.mWaitForVSync);
    bool inProgress = false;
    ReadRegistryBool("InProgress", inProgress);
    if (!screenSaver)
        WriteRegistryInt("InProgress", 1);
}

} // namespace Quib
