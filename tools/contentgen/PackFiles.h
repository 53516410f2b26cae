#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace contentgen
{

// The files of the pack by their path in it ("/" separated), kept in path order
// so that the archive and the digest list come out the same on every run.
class PackFiles
{
public:
    explicit PackFiles(std::string root) : mRoot(std::move(root)) {}

    const std::string& root() const { return mRoot; }
    std::string fullPath(const std::string& path) const { return mRoot + "/" + path; }

    // Writes the file under the root (making its folders) and keeps its bytes.
    bool write(const std::string& path, const std::vector<uint8_t>& bytes);
    // Keeps a file another step wrote under the root; false when it cannot be read.
    bool adopt(const std::string& path);
    // Copies every file directly in the source folder into the pack's folder
    // (subfolders are not entered); the error names the file that failed.
    bool copyFolder(const std::string& sourceFolder, const std::string& packFolder, std::string& error);

    const std::map<std::string, std::vector<uint8_t>>& files() const { return mFiles; }

    // "<digest>  <path>" lines, one a file, in path order.
    std::string digestList() const;
    // The archive the game reads in place of the folder.
    bool writeArchive(const std::string& archivePath) const;

private:
    std::string mRoot;
    std::map<std::string, std::vector<uint8_t>> mFiles;
};

} // namespace contentgen
