#pragma once

#include "game/records/HighScoreList.h"
#include "game/records/PlayerProfile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The players' profiles with the current one, and the high-score table: what
// the index file "Data.omsg" names and carries, and the profiles' own files.
class ProfileList
{
public:
    // defaultScoreName: the text the default high-score names start with.
    explicit ProfileList(const std::string& defaultScoreName);

    // Null when the index is outside the list.
    PlayerProfile* GetProfile(int index) const;
    PlayerProfile* GetCurrentProfile() const { return GetProfile(mCurrentProfileIndex); }
    int GetProfileCount() const { return int(mProfiles.size()); }
    int GetCurrentProfileIndex() const { return mCurrentProfileIndex; }
    void SetCurrentProfileIndex(int index) { mCurrentProfileIndex = index; }
    // The new profile becomes current. A file name another profile already
    // has is replaced by a new one.
    void AddProfile(std::unique_ptr<PlayerProfile> profile);
    // The profile before it becomes current (the first when there is none).
    void DeleteProfile(int index);
    // The names in list order, for the profile selection.
    std::vector<std::string> GetProfileNames() const;
    // A file name for a new profile that no profile uses and no file in the save folder has.
    std::string MakeNewFileName(const std::string& playerName) const;

    // Reads the index file and the profiles it names. Names that are not
    // plain file names are skipped; a current profile whose file cannot be
    // read leaves no profile current rather than another player, and its name
    // stays in the index for a later start.
    void LoadSaveData();
    // The index file up to the high scores: the profiles' file names, in
    // order, and the saved current index. Nullopt for a damaged index: empty,
    // or a count that is negative or more than the file can hold.
    static std::optional<int32_t> ReadIndex(Quib::Buffer& buffer, std::vector<std::string>& fileNames);
    // The index file's bytes as the next save writes them.
    Quib::Buffer WriteIndex() const;
    // The position in fileNames of the name each loaded profile came from.
    std::vector<int> LoadProfiles(const std::vector<std::string>& fileNames);
    void ReadHighScores(Quib::Buffer& buffer);
    // Every profile's file, then the index. False when a file could not be written.
    bool SaveProfiles();
    bool SaveIndex();
    // Deletes a deleted profile's file. The index stays: it is only ever
    // replaced whole by the next save, so no crash can leave the profiles without one.
    void DeleteProfileFile(const std::string& fileName);

    HighScoreList& GetHighScores() { return mHighScores; }
    // The index file was there but could not be read; it is kept aside before a new one is written.
    bool IsIndexUnreadable() const { return mIndexUnreadable; }

    std::vector<std::unique_ptr<PlayerProfile>> mProfiles;
    int32_t mCurrentProfileIndex = 0;
    HighScoreList mHighScores;

    // Index entries whose profile file could not be read, kept for the next save.
    const std::vector<std::string>& GetUnreadableFileNames() const { return mUnreadableFileNames; }

private:
    bool KeepUnreadableIndex();
    bool IsFileNameTaken(const std::string& fileName) const;

    std::vector<std::string> mUnreadableFileNames;

    bool mIndexUnreadable = false;
};
