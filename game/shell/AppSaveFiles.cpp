#include "game/shell/AppSaveFiles.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "platform/FileWriteErrors.h"
#include "platform/MessageBox.h"

bool AppSaveFiles::FileExists(const std::string& path)
{
    return mApp.FileExists(path);
}

bool AppSaveFiles::ReadBufferFromFile(const std::string& path, Quib::Buffer& buffer, bool doNotRecord)
{
    return mApp.ReadBufferFromFile(path, buffer, doNotRecord);
}

bool AppSaveFiles::WriteBufferToFile(const std::string& path, const Quib::Buffer& buffer)
{
    if (mApp.WriteBufferToFile(path, buffer))
        return true;
    // A failure that playback hands back was the recording's, told then.
    if (!ChangesFiles())
        return false;
    const std::string reason = platform::errorText(mApp.mDemo.LastWriteError());
    Quib::DebugPrintf("Could not save %s: %s\n", path.c_str(), reason.c_str());
    // Once is enough: every later save of the run would fail the same way.
    if (!mFailureShown)
    {
        mFailureShown = true;
        mApp.ShowMessageBox("The game could not save " + path + ":\n" + reason +
                                "\n\nYou can go on playing, but what could not be saved is lost when the "
                                "game closes.",
                            mApp.mTitle, platform::MB_OK | platform::MB_ICONWARNING);
    }
    return false;
}

bool AppSaveFiles::ChangesFiles() const
{
    return !mApp.mDemo.IsPlaying();
}
