#include "platform/FontMatcher.h"

#include "platform/Files.h"

#include <fontconfig/fontconfig.h>
#include <mutex>

namespace platform
{
namespace
{

std::mutex gMatchLock;

// Fontconfig keeps its configuration for the whole process; handing it back at
// exit keeps leak checkers quiet about memory that was never lost.
struct FontconfigSession
{
    FontconfigSession() { FcInit(); }
    ~FontconfigSession() { FcFini(); }
};

bool queryFontconfig(const std::string& family, bool bold, bool italic, FontFile& out)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match)
    {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
        {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            out.path = reinterpret_cast<const char*>(file);
            out.index = index;
            found = fileExists(out.path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

std::string dejaVuPath(bool bold, bool italic)
{
    static const char* const names[4] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                                         "DejaVuSans-BoldOblique.ttf"};
    return std::string("/usr/share/fonts/truetype/dejavu/") + names[(bold ? 1 : 0) + (italic ? 2 : 0)];
}

} // namespace

FontFile matchFont(std::string_view family, bool bold, bool italic)
{
    std::lock_guard<std::mutex> lock(gMatchLock);
    static FontconfigSession session;
    FontFile file;
    if (queryFontconfig(std::string(family), bold, italic, file))
        return file;
    if (queryFontconfig("DejaVu Sans", bold, italic, file))
        return file;
    return FontFile{dejaVuPath(bold, italic), 0};
}

} // namespace platform
