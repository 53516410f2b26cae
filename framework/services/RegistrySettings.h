#pragma once

#include <cstdint>
#include <string>

namespace Quib
{

class DemoRecorder;

// Value types as the settings store keeps them.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

// The application's settings as the registry layer saves and loads them.
struct SavedSettings
{
    double mMusicVolume = 0.85;
    double mSfxVolume = 0.85;
    int mMuteCount = 0;
    int mAutoMuteCount = 0;
    bool mWindowed = true;
    int mPreferredX = -1;
    int mPreferredY = -1;
    bool mCustomCursors = true;
    bool mWaitForVSync = true;
};

// The per-user settings behind the application's registry key, kept in a
// file under the user's settings folder. With the empty key, as the game has
// it, the layer is inert: reads find nothing, writes fail, and no demo event
// is written. Results are recorded into and replayed from demos.
class RegistrySettings
{
public:
    explicit RegistrySettings(DemoRecorder& demo) : mDemo(demo) {}

    void SetRegistryKey(const std::string& key) { mRegistryKey = key; }
    const std::string& RegistryKey() const { return mRegistryKey; }

    bool WriteRegistryValue(const std::string& valueName, uint32_t type, const void* data, uint32_t size);
    bool WriteRegistryString(const std::string& valueName, const std::string& text);
    bool WriteRegistryInt(const std::string& valueName, int value);
    bool WriteRegistryBool(const std::string& valueName, bool value);

    // `size` holds the buffer's capacity on entry and the value's size on
    // success; a value larger than the buffer is not found.
    bool ReadRegistryValue(const std::string& valueName, uint32_t& type, void* buffer, uint32_t& size);
    bool ReadRegistryInt(const std::string& valueName, int& value);
    bool ReadRegistryBool(const std::string& valueName, bool& value);
    bool EraseRegistryValue(const std::string& valueName);

    void SaveSettingsToRegistry(const SavedSettings& settings);
    // The key comes from the string table ("RegistryKey", with the current
    // key as its default); this is the only place that sets it from there.
    void LoadSettingsFromRegistry(const std::string& keyFromStringTable, SavedSettings& settings,
                                  bool screenSaver);

    // The store's key path and value name for a value name that may name a
    // subkey before its last "\".
    void SplitValuePath(const std::string& valueName, std::string& keyPath, std::string& name) const;

private:
    DemoRecorder& mDemo;
    std::string mRegistryKey;
};

} // namespace Quib
