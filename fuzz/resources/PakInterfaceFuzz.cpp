// An archive's header and directory: mounting must refuse what does not fit
// the file, and every file it accepts must read back within the archive.
#include "framework/files/PakFileHandle.h"
#include "framework/files/PakInterface.h"
#include "fuzz/resources/FuzzScratchFolder.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{

// Reads an archive file every way the layer offers; no file may hold more than the archive.
void ReadThrough(PakInterface& layer, const std::string& name, size_t archiveSize)
{
    PakFile* file = layer.OpenFile(name, "rb");
    if (!file || !file->mInArchive)
    {
        layer.CloseFile(file);
        return;
    }
    std::vector<uint8_t> bytes(archiveSize + 1);
    if (layer.ReadFile(bytes.data(), 1, bytes.size(), file) > archiveSize || !layer.AtEndOfFile(file))
        __builtin_trap();
    layer.SeekFile(file, 0, 0);
    char line[64];
    while (layer.ReadLine(line, sizeof line, file))
    {
    }
    layer.SeekFile(file, -1, 2);
    while (layer.ReadChar(file) >= 0)
    {
    }
    layer.CloseFile(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("pak");
    static const std::string archive = folder.File("input.pak");
    if (!platform::writeFile(archive, data, size))
        return 0;

    PakInterface layer;
    if (!layer.MountArchive(archive))
        return 0;
    ReadThrough(layer, archive, size);

    // Archive entries are reported first, with attribute word 0.
    PakFindData found;
    PakSearch* search = layer.FindFirstEntry("*", &found);
    bool more = search != nullptr;
    while (more && found.mAttributes == 0)
    {
        if (found.mFileSize > size)
            __builtin_trap();
        ReadThrough(layer, found.mFileName, size);
        more = layer.FindNextEntry(search, &found);
    }
    if (search)
        layer.EndFind(search);
    return 0;
}
