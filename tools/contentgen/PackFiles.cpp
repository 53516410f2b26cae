#include "tools/contentgen/PackFiles.h"

#include "framework/files/PakArchiveWriter.h"
#include "platform/Files.h"
#include "tools/contentgen/Sha256.h"

namespace contentgen
{

namespace
{

std::string folderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

bool PackFiles::write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string full = fullPath(path);
    if (!platform::createDirectories(folderOf(full)) ||
        !platform::writeFileAtomic(full, bytes.data(), bytes.size()))
        return false;
    mFiles[path] = bytes;
    return true;
}

bool PackFiles::adopt(const std::string& path)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(fullPath(path), uint64_t(1) << 28);
    if (!bytes)
        return false;
    mFiles[path] = std::move(*bytes);
    return true;
}

bool PackFiles::copyFolder(const std::string& sourceFolder, const std::string& packFolder, std::string& error)
{
    for (const platform::DirectoryEntry& entry : platform::listDirectory(sourceFolder))
    {
        if (entry.isDirectory)
            continue;
        std::optional<std::vector<uint8_t>> bytes =
            platform::readFile(sourceFolder + "/" + entry.name, 1 << 20);
        if (!bytes || !write(packFolder + "/" + entry.name, *bytes))
        {
            error = "cannot copy " + packFolder + "/" + entry.name;
            return false;
        }
    }
    return true;
}

std::string PackFiles::digestList() const
{
    std::string list;
    for (const auto& [path, bytes] : mFiles)
        list += sha256Hex(bytes) + "  " + path + "\n";
    return list;
}

bool PackFiles::writeArchive(const std::string& archivePath) const
{
    PakArchiveWriter writer;
    for (const auto& [path, bytes] : mFiles)
        if (!writer.AddFile(path, bytes))
            return false;
    return platform::createDirectories(folderOf(archivePath)) && writer.WriteTo(archivePath);
}

} // namespace contentgen
