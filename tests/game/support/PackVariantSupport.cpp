#include "tests/game/support/PackVariant.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace gameharness
{

PackVariant::PackVariant()
{
    static int counter = 0;
    const fs::path folder = fs::temp_directory_path() /
                            ("orvellan-pack-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path pack = ORVELLAN_CONTENT_PACK_DIR;
    for (const auto& entry : fs::recursive_directory_iterator(pack))
    {
        const fs::path target = folder / fs::relative(entry.path(), pack);
        if (entry.is_directory())
            fs::create_directories(target);
        else
            fs::create_symlink(entry.path(), target);
    }
    mFolder = folder.string();
}

PackVariant::~PackVariant()
{
    std::error_code ignored;
    fs::remove_all(mFolder, ignored);
}

void PackVariant::Remove(const std::string& path)
{
    fs::remove(fs::path(mFolder) / path);
}

void PackVariant::Write(const std::string& path, const std::string& bytes)
{
    Remove(path);
    fs::create_directories((fs::path(mFolder) / path).parent_path());
    std::ofstream out(fs::path(mFolder) / path, std::ios::binary);
    out << bytes;
}

std::string PackVariant::Read(const std::string& path) const
{
    std::ifstream in(fs::path(mFolder) / path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace gameharness
