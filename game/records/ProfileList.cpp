#include "game/records/ProfileList.h"

#include "framework/foundation/DebugPrintf.h"
#include "game/records/DataFolder.h"
#include "game/records/ProfileFileNames.h"
#include "game/records/SaveEncoding.h"
#include "game/records/SaveFileAccess.h"
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
    // Two profiles saved to one file would leave one of them lost at the next start.
    if (IsFileNameTaken(profile->mFileName))
        profile->mFileName = MakeNewFileName(profile->mName);
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

bool ProfileList::IsFileNameTaken(const std::string& fileName) const
{
    const auto same = [&](const std::string& name) { return SameFileName(name, fileName); };
    return std::any_of(mProfiles.begin(), mProfiles.end(),
                       [&](const auto& profile) { return same(profile->mFileName); }) ||
           std::any_of(mUnreadableFileNames.begin(), mUnreadableFileNames.end(), same);
}

std::string ProfileList::MakeNewFileName(const std::string& playerName) const
{
    std::vector<std::string> taken = mUnreadableFileNames;
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
    if (!SaveFileExists(path))
        return;
    std::optional<Quib::Buffer> buffer = ReadSaveFile(path, true);
    std::vector<std::string> fileNames;
    const std::optional<int32_t> savedCurrent = buffer ? ReadIndex(*buffer, fileNames) : std::nullopt;
    if (!savedCurrent)
    {
        Quib::DebugPrintf("Could not read %s; it is kept aside at the next save\n", path.c_str());
        mIndexUnreadable = true;
        return;
    }
    ReadHighScores(*buffer);

    const std::vector<int> loadedFrom = LoadProfiles(fileNames);
    auto current = std::find(loadedFrom.begin(), loadedFrom.end(), *savedCurrent);
    mCurrentProfileIndex = current == loadedFrom.end() ? -1 : int32_t(current - loadedFrom.begin());
}

std::optional<int32_t> ProfileList::ReadIndex(Quib::Buffer& buffer, std::vector<std::string>& fileNames)
{
    // A count the file cannot hold, a negative one or an empty file is
    // damage, not a list of fewer names. Every name takes at least its two
    // length bytes, which bounds the count before anything is read.
    const int32_t count = save::ReadShort(buffer);
    const int64_t bytesLeft = int64_t(buffer.ByteCount()) - 2;
    if (buffer.ByteCount() == 0 || count < 0 || int64_t(count) * 2 > bytesLeft)
        return std::nullopt;
    for (int32_t i = 0; i < count; ++i)
    {
        if (buffer.BitSize() - buffer.ReadPosition() < 16)
        {
            fileNames.clear();
            return std::nullopt;
        }
        fileNames.push_back(save::ReadText(buffer));
    }
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
        if (IsFileNameTaken(fileName))
        {
            Quib::DebugPrintf("Profile file \"%s\" is named twice in the index; skipped\n", fileName.c_str());
            continue;
        }
        std::optional<Quib::Buffer> buffer = ReadSaveFile(GetProfileFilePath(fileName));
        if (!buffer)
        {
            Quib::DebugPrintf("Could not read the profile file \"%s\"; it stays in the index\n",
                              fileName.c_str());
            mUnreadableFileNames.push_back(fileName);
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
    return WriteSaveFile(GetIndexFilePath(), WriteIndex());
}

Quib::Buffer ProfileList::WriteIndex() const
{
    // The names whose files could not be read follow the profiles, so that the
    // saved current index still counts the loaded ones.
    std::vector<std::string> fileNames;
    for (const auto& profile : mProfiles)
        fileNames.push_back(profile->mFileName);
    fileNames.insert(fileNames.end(), mUnreadableFileNames.begin(), mUnreadableFileNames.end());
    Quib::Buffer buffer;
    save::WriteTextList(buffer, fileNames);
    save::WriteShort(buffer, mCurrentProfileIndex);
    mHighScores.Write(buffer);
    return buffer;
}

void ProfileList::DeleteProfileFile(const std::string& fileName)
{
    if (IsSafeProfileFileName(fileName) && SaveFiles().ChangesFiles())
        platform::removeFile(GetProfileFilePath(fileName));
}

bool ProfileList::KeepUnreadableIndex()
{
    const std::string path = GetIndexFilePath();
    if (!SaveFiles().ChangesFiles())
        return true;
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
