#pragma once

#include <string>
#include <string_view>

namespace platform
{

struct FontFile
{
    std::string path;
    int index = 0; // face index inside a collection file
};

// Finds the font file that best serves a face name as the framework asks for it
// ("Arial Unicode MS", "Tahoma", ...). Whatever the desktop has installed for
// that name wins; when nothing answers, DejaVu Sans in the asked style.
FontFile matchFont(std::string_view family, bool bold, bool italic);

} // namespace platform
