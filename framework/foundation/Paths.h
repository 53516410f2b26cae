#pragma once

#include <cstdint>
#include <string>

// The folder under which the framework writes its files for all users, with a
// trailing separator; empty means relative to the working folder.
extern std::string gSharedDataFolder;

namespace Quib
{

std::string GetSharedDataFolder();
// Adds a "\" unless the path is empty or already ends in a separator.
void SetSharedDataFolder(const std::string& path);

std::string GetCurrentFolder();

// Resolves only the leading "." and ".." components of relative against base;
// from the first plain name on, relative is kept as written. A relative path
// with a drive letter is returned unchanged. The result uses "\" when either
// argument does, else "/".
std::string ResolveRelativePath(const std::string& relative, const std::string& base);

// Deletes a folder and everything in it. Links inside the tree are removed as
// links, never followed. True only when every deletion succeeded; a failure
// does not stop the rest.
bool DeleteDirectoryTree(const std::string& folder);
// Creates every folder along the path; failures are ignored.
void MakeDirectories(const std::string& path);

// "C:\a\file.txt" gives "file", "archive.tar.gz" gives "archive.tar".
std::string FileNameNoExtension(const std::string& path);
// The text before the last "\" or "/"; empty when there is none.
std::string DirectoryOfPath(const std::string& path);
std::string StripPathSeparator(const std::string& path);
std::string EnsurePathSeparator(const std::string& path);

// Last-write time in whole seconds since 1970-01-01 UTC; 0 when there is no such file.
int64_t GetFileModifiedTime(const std::string& path);

} // namespace Quib
