#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdint>
#include <optional>
#include <string>

// Where the game keeps its players' files: the per-user data folder of the
// platform followed by the game's folder name.

// The per-user data folder, with a trailing separator.
std::string GetAppDataPath();
std::string GetDataFolder();
// Creates the data folder and its missing parents when the file access does
// not find it; false when it is not there afterwards.
bool CreateDataFolder();

std::string GetSaveFolder();
std::string GetIndexFilePath();
// The profile's file in the save folder: fileName + ".omsg".
std::string GetProfileFilePath(const std::string& fileName);
std::string GetOptionsFilePath();

// A save file is a few kilobytes; a larger file is not read as one.
constexpr uint64_t kMaxSaveFileBytes = uint64_t(64) << 20;

// The save files go through the installed file access (SaveFileAccess.h).
bool SaveFileExists(const std::string& path);
// Nullopt when the file cannot be read. doNotRecord: see SaveFileAccess.
std::optional<Quib::Buffer> ReadSaveFile(const std::string& path, bool doNotRecord = false);
// Creates the folder when needed and replaces the file atomically, so that a
// crash, a kill or a full disk leaves the previous file whole. A failure is logged.
bool WriteSaveFile(const std::string& path, const Quib::Buffer& buffer);
