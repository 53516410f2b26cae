#include "framework/files/PakFile.h"

#include "framework/files/PakFileHandle.h"
#include "framework/files/PakInterfaceBase.h"

#include <algorithm>
#include <limits>
#include <memory>

PakFile* PakFileOpen(std::string_view name, std::string_view mode)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->OpenFile(name, mode);
    auto file = std::make_unique<PakFile>();
    if (!file->mDisk.open(name, mode))
        return nullptr;
    return file.release();
}

int PakFileClose(PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->CloseFile(file);
    delete file;
    return 0;
}

int PakFileSeek(PakFile* file, long offset, int origin)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->SeekFile(file, offset, origin);
    return file ? file->mDisk.seek(offset, origin) : -1;
}

long PakFileTell(PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->TellFile(file);
    return file ? file->mDisk.tell() : -1;
}

size_t PakFileRead(void* buffer, size_t elementSize, size_t count, PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->ReadFile(buffer, elementSize, count, file);
    if (!file || elementSize == 0)
        return 0;
    count = std::min(count, std::numeric_limits<size_t>::max() / elementSize);
    return file->mDisk.read(buffer, elementSize * count) / elementSize;
}

int PakFileGetChar(PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->ReadChar(file);
    return file ? file->mDisk.getChar() : -1;
}

int PakFileUngetChar(int character, PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->UnreadChar(character, file);
    return file ? file->mDisk.ungetChar(character) : -1;
}

int PakFileAtEnd(PakFile* file)
{
    if (PakInterfaceBase* layer = GetSharedPakInterface())
        return layer->AtEndOfFile(file);
    return file ? file->mDisk.atEnd() : 1;
}

std::optional<std::vector<uint8_t>> PakReadWholeFile(std::string_view name, size_t maxBytes)
{
    PakFile* file = PakFileOpen(name, "rb");
    if (!file)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> result;
    const bool seekable = PakFileSeek(file, 0, 2) == 0;
    const long size = PakFileTell(file);
    if (seekable && size >= 0 && static_cast<unsigned long>(size) <= maxBytes && PakFileSeek(file, 0, 0) == 0)
    {
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        if (bytes.empty() || PakFileRead(bytes.data(), 1, bytes.size(), file) == bytes.size())
            result = std::move(bytes);
    }
    PakFileClose(file);
    return result;
}
