#include "framework/app/QuibAppBase.h"

namespace Quib
{

// The layer follows the application's key, which only the settings loader sets.

void QuibAppBase::LoadSettingsFromRegistry()
{
    SavedSettings settings = CurrentSettings();
    mRegistry.LoadSettingsFromRegistry(mStringTable.LookupString("RegistryKey", mRegKey), settings,
                                       IsScreenSaverMode());
    mRegKey = mRegistry.RegistryKey();
    if (mRegKey.empty())
        return;
    mMusicVolume = settings.mMusicVolume;
    mSfxVolume = settings.mSfxVolume;
    mMuteCount = settings.mMuteCount;
    mIsWindowed = settings.mWindowed;
    mInputQueue.mPreferredWindowX = settings.mPreferredX;
    mInputQueue.mPreferredWindowY = settings.mPreferredY;
    mCursorSelection.SetCustomCursorsEnabled(settings.mCustomCursors);
    mMainLoop.mWaitForVSync = settings.mWaitForVSync;
}

void QuibAppBase::SaveSettingsToRegistry()
{
    mRegistry.SetRegistryKey(mRegKey);
    mRegistry.SaveSettingsToRegistry(CurrentSettings());
}

SavedSettings QuibAppBase::CurrentSettings()
{
    SavedSettings settings;
    settings.mMusicVolume = mMusicVolume;
    settings.mSfxVolume = mSfxVolume;
    settings.mMuteCount = mMuteCount;
    settings.mAutoMuteCount = mAutoMuteCount;
    settings.mWindowed = mIsWindowed;
    settings.mPreferredX = mInputQueue.mPreferredWindowX;
    settings.mPreferredY = mInputQueue.mPreferredWindowY;
    settings.mCustomCursors = mCursorSelection.mCustomCursorsEnabled;
    settings.mWaitForVSync = mMainLoop.mWaitForVSync;
    return settings;
}

bool QuibAppBase::WriteRegistryValue(const std::string& valueName, uint32_t type, const void* data,
                                     uint32_t size)
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.WriteRegistryValue(valueName, type, data, size);
}

bool QuibAppBase::WriteRegistryString(const std::string& valueName, const std::string& text)
{
    return WriteRegistryValue(valueName, REG_SZ, text.data(), uint32_t(text.size()));
}

bool QuibAppBase::WriteRegistryInt(const std::string& valueName, int value)
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.WriteRegistryInt(valueName, value);
}

bool QuibAppBase::WriteRegistryBool(const std::string& valueName, bool value)
{
    return WriteRegistryInt(valueName, value ? 1 : 0);
}

bool QuibAppBase::ReadRegistryValue(const std::string& valueName, uint32_t& type, void* buffer,
                                    uint32_t& size)
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.ReadRegistryValue(valueName, type, buffer, size);
}

bool QuibAppBase::ReadRegistryInt(const std::string& valueName, int& value)
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.ReadRegistryInt(valueName, value);
}

bool QuibAppBase::ReadRegistryBool(const std::string& valueName, bool& value)
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.ReadRegistryBool(valueName, value);
}

bool QuibAppBase::EraseRegistryValue(const std::string& valueName)
{
    mRegistry.SetRegistryKey(mRegKey);
    return mRegistry.EraseRegistryValue(valueName);
}

} // namespace Quib
