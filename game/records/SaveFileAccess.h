#pragma once

#include "framework/foundation/Buffer.h"

#include <string>

// How the records reach their files. The game hands them the application's
// demo-aware file services, so that a demo records what the files gave and
// playback hands it back without touching the player's folder; tools and
// tests that run without an application use the disk directly.
class SaveFileAccess
{
public:
    virtual ~SaveFileAccess() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // doNotRecord: the read is not part of a demo, and playback reads the real file.
    virtual bool ReadBufferFromFile(const std::string& path, Quib::Buffer& buffer, bool doNotRecord) = 0;
    // Creates the folder when needed and replaces the file whole.
    virtual bool WriteBufferToFile(const std::string& path, const Quib::Buffer& buffer) = 0;
    // False while the results of an earlier run stand in for the files: what
    // is done to files beside reading and writing them (making the folder,
    // keeping a file aside, deleting a profile's file) is then not done again.
    virtual bool ChangesFiles() const = 0;
};

// The files as they are on the disk.
class DirectSaveFiles : public SaveFileAccess
{
public:
    bool FileExists(const std::string& path) override;
    bool ReadBufferFromFile(const std::string& path, Quib::Buffer& buffer, bool doNotRecord) override;
    bool WriteBufferToFile(const std::string& path, const Quib::Buffer& buffer) override;
    bool ChangesFiles() const override { return true; }
};

// The access every record uses: the one installed, else the disk directly.
SaveFileAccess& SaveFiles();
// Installs the access for the lifetime of a scope (the application's run).
class ScopedSaveFileAccess
{
public:
    explicit ScopedSaveFileAccess(SaveFileAccess& access);
    ~ScopedSaveFileAccess();
    ScopedSaveFileAccess(const ScopedSaveFileAccess&) = delete;
    ScopedSaveFileAccess& operator=(const ScopedSaveFileAccess&) = delete;

private:
    SaveFileAccess* mPrevious;
};
