#include "framework/files/PakInterface.h"

#include "framework/files/PakFileHandle.h"
#include "framework/files/PakFormat.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace
{

std::atomic<PakInterfaceBase*> gSharedPakInterface{nullptr};

// Reads the unscrambled values of an archive's header and directory, never past
// the end of the mapping.
class ScrambledReader
{
public:
    ScrambledReader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    bool Bytes(void* out, size_t count)
    {
        if (count > mSize - mPos)
            return false;
        auto* bytes = static_cast<uint8_t*>(out);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = mData[mPos + i] ^ PAK_SCRAMBLE_KEY;
        mPos += count;
        return true;
    }

    template <typename T> bool Value(T& value)
    {
        uint8_t bytes[sizeof(T)];
        if (!Bytes(bytes, sizeof(T)))
            return false;
        value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<T>(bytes[i]) << (8 * i);
        return true;
    }

    size_t Position() const { return mPos; }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameFolderChar(char a, char b)
{
    return (IsSeparator(a) && IsSeparator(b)) || UpperAscii(a) == UpperAscii(b);
}

bool IsAbsolute(std::string_view path)
{
    if (path.empty())
        return false;
    if (IsSeparator(path[0]))
        return true;
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

// The part of an absolute path below the working folder, or the path itself
// when it does not lie there.
std::string_view BelowWorkingFolder(std::string_view path)
{
    if (!IsAbsolute(path))
        return path;
    std::string folder = platform::currentDirectory();
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.pop_back();
    if (path.size() <= folder.size() || !IsSeparator(path[folder.size()]))
        return path;
    for (size_t i = 0; i < folder.size(); ++i)
        if (!SameFolderChar(path[i], folder[i]))
            return path;
    return path.substr(folder.size() + 1);
}

bool IsReadMode(std::string_view mode)
{
    std::string upper = PakInterface::ToUpperCase(mode);
    return upper == "R" || upper == "RB" || upper == "RT";
}

} // namespace

PakInterfaceBase* GetSharedPakInterface()
{
    return gSharedPakInterface.load();
}

void SetSharedPakInterface(PakInterfaceBase* pakInterface)
{
    gSharedPakInterface.store(pakInterface);
}

PakInterface* gPakInterface = new PakInterface();

PakInterface::PakInterface()
{
    PakInterfaceBase* none = nullptr;
    gSharedPakInterface.compare_exchange_strong(none, this);
}

PakInterface::~PakInterface()
{
    PakInterfaceBase* self = this;
    gSharedPakInterface.compare_exchange_strong(self, nullptr);
}

std::string PakInterface::ToUpperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
    return upper;
}

std::string PakInterface::NormalizePath(std::string_view path)
{
    std::string_view rest = BelowWorkingFolder(path);
    std::string out;
    out.reserve(rest.size());
    size_t i = 0;
    while (i < rest.size())
    {
        char c = rest[i];
        if (IsSeparator(c))
        {
            if (out.empty() || out.back() != '\\')
                out += '\\';
            ++i;
        }
        else if (c == '.' && i + 1 < rest.size() && rest[i + 1] == '.' && !out.empty() && out.back() == '\\')
        {
            out.pop_back();
            while (!out.empty() && out.back() != '\\')
                out.pop_back();
            i += 2;
            if (i < rest.size() && IsSeparator(rest[i]))
                ++i;
        }
        else
        {
            out += UpperAscii(c);
            ++i;
        }
    }
    return out;
}

bool PakInterface::Refuse(std::string_view path, std::string_view reason)
{
    mError = "Archive ";
    mError += path;
    mError += ": ";
    mError += reason;
    return false;
}

void PakInterface::ReleaseResidentPages() const
{
    for (const auto& archive : mArchives)
        archive->mMapping.releaseResidentPages();
}

bool PakInterface::MountArchive(std::string_view path)
{
    mError.clear();
    auto archive = std::make_unique<PakArchive>();
    archive->mPath = std::string(path);
    if (!archive->mMapping.open(path))
        return Refuse(path, "cannot be opened");

    ScrambledReader reader(archive->mMapping.data(), archive->mMapping.size());
    uint32_t magic = 0;
    uint32_t version = 0;
    if (!reader.Value(magic) || !reader.Value(version))
        return Refuse(path, "is too short to hold a header");
    if (magic != PAK_MAGIC)
        return Refuse(path, "is not an archive (wrong magic number)");
    if (version != PAK_VERSION)
        return Refuse(path, "has unsupported version " + std::to_string(version));

    std::vector<PakEntry> files;
    uint64_t dataSize = 0;
    for (;;)
    {
        uint8_t flags = 0;
        if (!reader.Value(flags))
            return Refuse(path, "is truncated: its directory has no end");
        if (flags & PAK_END_OF_DIRECTORY)
            break;
        size_t recordAt = reader.Position() - 1;
        PakEntry entry;
        entry.mArchive = archive.get();
        uint8_t nameLength = 0;
        uint32_t size = 0;
        bool complete = reader.Value(nameLength);
        if (complete)
        {
            entry.mName.resize(nameLength);
            complete = reader.Bytes(entry.mName.data(), nameLength) && reader.Value(size) &&
                       reader.Value(entry.mFileTime);
        }
        if (!complete)
            return Refuse(path, "is truncated: directory record at offset " + std::to_string(recordAt) +
                                    " is cut short");
        entry.mStart = dataSize;
        entry.mSize = size;
        dataSize += size;
        files.push_back(std::move(entry));
    }

    uint64_t dataStart = reader.Position();
    uint64_t archiveSize = archive->mMapping.size();
    if (dataSize > archiveSize - dataStart)
    {
        auto past = std::find_if(files.begin(), files.end(),
                                 [&](const PakEntry& entry)
                                 { return entry.mStart + entry.mSize > archiveSize - dataStart; });
        return Refuse(path, "is truncated: the data of '" + past->mName + "' lies past its end");
    }

    PakEntry self;
    self.mArchive = archive.get();
    self.mName = std::string(path);
    self.mSize = archiveSize;
    mEntries[NormalizePath(path)] = std::move(self);
    for (PakEntry& entry : files)
    {
        entry.mStart += dataStart;
        std::string key = ToUpperCase(entry.mName);
        mEntries[std::move(key)] = std::move(entry);
    }
    mArchives.push_back(std::move(archive));
    return true;
}

PakFile* PakInterface::OpenWide(std::wstring_view, std::wstring_view)
{
    return nullptr;
}

PakFile* PakInterface::OpenFile(std::string_view name, std::string_view mode)
{
    auto file = std::make_unique<PakFile>();
    if (!mEntries.empty() && IsReadMode(mode))
    {
        auto found = mEntries.find(NormalizePath(name));
        if (found != mEntries.end())
        {
            const PakEntry& entry = found->second;
            file->mInArchive = true;
            file->mArchive = entry.mArchive;
            file->mData = entry.mArchive->mMapping.data() + entry.mStart;
            file->mSize = entry.mSize;
            return file.release();
        }
    }
    if (!file->mDisk.open(name, mode))
        return nullptr;
    return file.release();
}

int PakInterface::CloseFile(PakFile* file)
{
    // What was read has been decoded by now; the pages it came from would
    // otherwise stay resident for the life of the mapping.
    if (file != nullptr && file->mInArchive && file->mArchive != nullptr)
        file->mArchive->mMapping.releaseResidentPages(file->mData, static_cast<size_t>(file->mSize));
    delete file;
    return 0;
}

int PakInterface::SeekFile(PakFile* file, long offset, int origin)
{
    if (!file)
        return -1;
    if (!file->mInArchive)
        return file->mDisk.seek(offset, origin);
    const auto size = static_cast<int64_t>(file->mSize);
    auto position = static_cast<int64_t>(file->mPos);
    switch (origin)
    {
    case 0:
        position = offset;
        break;
    case 1:
        position += offset;
        break;
    case 2:
        position = size + offset;
        break;
    default:
        break;
    }
    file->mPos = static_cast<uint64_t>(std::clamp<int64_t>(position, 0, size));
    return 0;
}

long PakInterface::TellFile(PakFile* file)
{
    if (!file)
        return -1;
    return file->mInArchive ? static_cast<long>(file->mPos) : file->mDisk.tell();
}

size_t PakInterface::ReadFile(void* buffer, size_t elementSize, size_t count, PakFile* file)
{
    if (!file || elementSize == 0 || count == 0)
        return 0;
    if (!file->mInArchive)
    {
        count = std::min(count, std::numeric_limits<size_t>::max() / elementSize);
        return file->mDisk.read(buffer, elementSize * count) / elementSize;
    }
    uint64_t left = file->mPos < file->mSize ? file->mSize - file->mPos : 0;
    uint64_t bytes = count > left / elementSize ? left : uint64_t(elementSize) * count;
    auto* out = static_cast<uint8_t*>(buffer);
    const uint8_t* in = file->mData + file->mPos;
    for (uint64_t i = 0; i < bytes; ++i)
        out[i] = in[i] ^ PAK_SCRAMBLE_KEY;
    file->mPos += bytes;
    return static_cast<size_t>(bytes / elementSize);
}

int PakInterface::ReadChar(PakFile* file)
{
    if (!file)
        return -1;
    if (!file->mInArchive)
        return file->mDisk.getChar();
    while (file->mPos < file->mSize)
    {
        uint8_t byte = file->mData[file->mPos++] ^ PAK_SCRAMBLE_KEY;
        if (byte != '\r')
            return byte;
    }
    return -1;
}

int PakInterface::UnreadChar(int character, PakFile* file)
{
    if (!file)
        return -1;
    if (!file->mInArchive)
        return file->mDisk.ungetChar(character);
    // The byte stepped back over is the one read again, whatever the argument.
    if (file->mPos > 0)
        --file->mPos;
    return character;
}

wchar_t* PakInterface::ReadLineWide(wchar_t* buffer, int, PakFile*)
{
    return buffer;
}

char* PakInterface::ReadLine(char* buffer, int size, PakFile* file)
{
    if (!file || size <= 0)
        return nullptr;
    if (!file->mInArchive)
        return file->mDisk.readLine(buffer, size);
    if (file->mPos >= file->mSize)
        return nullptr;
    int stored = 0;
    while (stored < size - 1 && file->mPos < file->mSize)
    {
        char c = static_cast<char>(file->mData[file->mPos++] ^ PAK_SCRAMBLE_KEY);
        if (c == '\r')
            continue;
        buffer[stored++] = c;
        if (c == '\n')
            break;
    }
    buffer[stored] = '\0';
    return buffer;
}

int PakInterface::AtEndOfFile(PakFile* file)
{
    if (!file)
        return 1;
    return file->mInArchive ? file->mPos >= file->mSize : file->mDisk.atEnd();
}
