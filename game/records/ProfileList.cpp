#include "game/records/ProfileList.h"

#include "framework/foundation/DebugPrintf.h"
#include "game/records/DataFolder.h"
#include "game/records/ProfileFileNames.h"
#include "game/records/SaveEncoding.h"
#include "platform/Files.h"

#include <algorithm>

ProfileList::ProfileList(const std::string& defaultScoreName) : mHighScores(defaultScoreName) {}

PlayerProfile* ProfileList::GetProfile(int index) const
{
    if (index < 0 || index >= GetProfileCount())
        return nullptr;
    return mProfiles[size_t(index)].get();
}

void ProfileList::AddProfile(std::unique_ptr<PlayerProfile> profile)
{
    mProfiles.push_back(std::move(profile));
    mCurrentProfileIndex = GetProfileCount() - 1;
}

void ProfileList::DeleteProfile(int index)
{
    if (index < 0 || index >= GetProfileCount())
        return;
    mProfiles.erase(mProfiles.begin() + index);
    mCurrentProfileIndex = std::max(index - 1, 0);
}

std::vector<std::string> ProfileList::GetProfileNames() const
{
    std::vector<std::string> names;
    for (const auto& profile : mProfiles)
        names.push_back(profile->mName);
    return names;
}

std::string ProfileList::MakeNewFileName(const std::string& playerName) const
{
    std::vector<std::string> taken;
    int sameName = 0;
    for (const auto& profile : mProfiles)
    {
        taken.push_back(profile->mFileName);
        sameName += profile->mName == playerName ? 1 : 0;
    }
    return MakeProfileFileName(playerName, sameName, taken);
}

void ProfileList::LoadSaveData()
{
    const std::string path = GetIndexFilePath();
    if (!platform::fileExists(path))
        return;
    std::optional<Quib::Buffer> buffer = ReadSaveFile(path);
    if (!buffer)
    {
        Quib::DebugPrintf("Could not read %s; it is kept aside at the next save\n", path.c_str());
        mIndexUnreadable = true;
        return;
    }
    std::vector<std::string> fileNames;
    const int32_t savedCurrent = ReadIndex(*buffer, fileNames);
    ReadHighScores(*buffer);

    const std::vector<int> loadedFrom = LoadProfiles(fileNames);
    auto current = std::find(loadedFrom.begin(), loadedFrom.end(), savedCurrent);
    mCurrentProfileIndex = current == loadedFrom.end() ? -1 : int32_t(current - loadedFrom.begin());
}

int32_t ProfileList::ReadIndex(Quib::Buffer& buffer, std::vector<std::string>& fileNames)
{
    save::ReadTextList(buffer, fileNames);
    return save::ReadShort(buffer);
}

std::vector<int> ProfileList::LoadProfiles(const std::vector<std::string>& fileNames)
{
    std::vector<int> loadedFrom;
    for (size_t i = 0; i < fileNames.size(); ++i)
    {
        const std::string& fileName = fileNames[i];
        if (!IsSafeProfileFileName(fileName))
        {
            Quib::DebugPrintf("Profile file name \"%s\" in the index is not a plain file name; skipped\n",
                              fileName.c_str());
            continue;
        }
        const bool duplicate =
            std::any_of(mProfiles.begin(), mProfiles.end(),
                        [&](const auto& profile) { return SameFileName(profile->mFileName, fileName); });
        if (duplicate)
        {
            Quib::DebugPrintf("Profile file \"%s\" is named twice in the index; skipped\n", fileName.c_str());
            continue;
        }
        std::optional<Quib::Buffer> buffer = ReadSaveFile(GetProfileFilePath(fileName));
        if (!buffer)
        {
            Quib::DebugPrintf("Could not read the profile file \"%s\"; skipped\n", fileName.c_str());
            continue;
        }
        auto profile = std::make_unique<PlayerProfile>();
        profile->Load(*buffer);
        // The profile is saved where it was read from, whatever name its own file claims.
        profile->mFileName = fileName;
        mProfiles.push_back(std::move(profile));
        loadedFrom.push_back(int(i));
    }
    return loadedFrom;
}

void ProfileList::ReadHighScores(Quib::Buffer& buffer)
{
    mHighScores.Read(buffer);
}

bool ProfileList::SaveProfiles()
{
    bool written = true;
    for (const auto& profile : mProfiles)
    {
        if (!IsSafeProfileFileName(profile->mFileName))
        {
            Quib::DebugPrintf("Profile \"%s\" has no usable file name; not saved\n", profile->mName.c_str());
            written = false;
            continue;
        }
        written = WriteSaveFile(GetProfileFilePath(profile->mFileName), profile->Save()) && written;
    }
    return SaveIndex() && written;
}

bool ProfileList::SaveIndex()
{
    if (mIndexUnreadable && !KeepUnreadableIndex())
        return false;
    Quib::Buffer buffer;
    const size_t count = save::WriteCount(buffer, mProfiles.size());
    for (size_t i = 0; i < count; ++i)
        save::WriteText(buffer, mProfiles[i]->mFileName);
    save::WriteShort(buffer, mCurrentProfileIndex);
    mHighScores.Write(buffer);
    return WriteSaveFile(GetIndexFilePath(), buffer);
}

void ProfileList::DeleteProfileFile(const std::string& fileName)
{
    if (IsSafeProfileFileName(fileName))
        platform::removeFile(GetProfileFilePath(fileName));
}

bool ProfileList::KeepUnreadableIndex()
{
    const std::string path = GetIndexFilePath();
    if (!platform::fileExists(path))
    {
        mIndexUnreadable = false;
        return true;
    }
    std::string kept = path + ".unreadable";
    for (int number = 1; platform::fileExists(kept) || platform::directoryExists(kept); ++number)
        kept = path + ".unreadable" + std::to_string(number);
    if (!platform::renameFile(path, kept))
    {
        Quib::DebugPrintf("Could not keep the unreadable %s aside; the index is not written\n", path.c_str());
        return false;
    }
    Quib::DebugPrintf("The unreadable %s is kept as %s\n", path.c_str(), kept.c_str());
    mIndexUnreadable = false;
    return true;
}
