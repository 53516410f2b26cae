#pragma once

#include "game/records/SaveFileAccess.h"

namespace Quib
{
class QuibAppBase;
}

// The records' files through the application's demo-aware file services: a
// recording keeps what every read, existence test and write gave, and
// playback hands those results back without touching the player's folder.
// The first save of a run that really fails is told to the player, with the
// file and the reason; the game goes on.
class AppSaveFiles : public SaveFileAccess
{
public:
    explicit AppSaveFiles(Quib::QuibAppBase& app) : mApp(app) {}

    bool FileExists(const std::string& path) override;
    bool ReadBufferFromFile(const std::string& path, Quib::Buffer& buffer, bool doNotRecord) override;
    bool WriteBufferToFile(const std::string& path, const Quib::Buffer& buffer) override;
    bool ChangesFiles() const override;

private:
    Quib::QuibAppBase& mApp;
    bool mFailureShown = false;
};
