#pragma once

#include <string>

namespace gameharness
{

// A copy of the generated content pack made of links to its files, in which a
// test removes or replaces files (a missing property file, a broken manifest)
// without touching the pack itself. Removed with the object.
class PackVariant
{
public:
    PackVariant();
    ~PackVariant();
    PackVariant(const PackVariant&) = delete;
    PackVariant& operator=(const PackVariant&) = delete;

    const std::string& Folder() const { return mFolder; }
    // Paths are relative to the pack's root, "/" separated; Write makes the
    // folders a new file needs.
    void Remove(const std::string& path);
    void Write(const std::string& path, const std::string& bytes);
    std::string Read(const std::string& path) const;

private:
    std::string mFolder;
};

} // namespace gameharness
