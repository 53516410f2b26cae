// Turns a scalable face into a bitmap font the framework reads: a glyph
// picture (PNG) with either a font descriptor or a widths file beside it.
//
//   fontgen (--font FILE | --family NAME) --pixels N --out FOLDER/NAME
//           [--point-size P] [--shadow DX,DY] [--widths]

#include "platform/FontFace.h"
#include "platform/TextEncoding.h"
#include "tools/fontgen/GlyphAtlas.h"
#include "tools/fontgen/PngOut.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

struct Options
{
    std::string fontFile;
    std::string family;
    int pixels = 0;
    int pointSize = 0;
    std::string out;
    bool shadow = false;
    int shadowX = 1;
    int shadowY = 1;
    bool widths = false;
};

int usage()
{
    std::fprintf(stderr, "usage: fontgen (--font FILE | --family NAME) --pixels N --out FOLDER/NAME\n"
                         "               [--point-size P] [--shadow DX,DY] [--widths]\n");
    return 2;
}

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* value = nullptr;
        if (arg == "--widths")
            options.widths = true;
        else if (!(value = next()))
            return false;
        else if (arg == "--font")
            options.fontFile = value;
        else if (arg == "--family")
            options.family = value;
        else if (arg == "--pixels")
            options.pixels = std::atoi(value);
        else if (arg == "--point-size")
            options.pointSize = std::atoi(value);
        else if (arg == "--out")
            options.out = value;
        else if (arg == "--shadow")
        {
            options.shadow = true;
            if (std::sscanf(value, "%d,%d", &options.shadowX, &options.shadowY) != 2)
                return false;
        }
        else
            return false;
    }
    if (options.pointSize == 0)
        options.pointSize = options.pixels;
    return options.pixels > 0 && !options.out.empty() && (options.fontFile.empty() != options.family.empty());
}

// One character as a descriptor text value. The single quote goes into double
// quotes, since a doubled quote inside single quotes would stand for itself.
std::string quoteChar(unsigned char c)
{
    if (c == '\'')
        return "\"'\"";
    if (c == '\\')
        return "'\\\\'";
    return std::string("'") + char(c) + "'";
}

std::string fileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes a define holding one list, eight entries to a line.
void writeDefine(std::ostream& out, const std::string& name, const std::vector<std::string>& entries)
{
    out << "Define " << name << " (";
    for (size_t i = 0; i < entries.size(); ++i)
    {
        if (i % 8 == 0)
            out << "\n    ";
        else
            out << ' ';
        out << entries[i];
    }
    out << ");\n";
}

bool writeDescriptor(const Options& options, const platform::FontFace& face, const fontgen::Atlas& atlas)
{
    std::ofstream out(options.out + ".txt", std::ios::binary);
    if (!out)
        return false;
    const platform::FontMetrics& metrics = face.metrics();
    out << "# Bitmap font made by fontgen at " << options.pixels << " pixels\n";
    out << "SetDefaultPointSize " << options.pointSize << ";\n";
    out << "CreateLayer Main;\n";
    out << "LayerSetImage Main '" << fileNameOf(options.out) << ".png';\n";
    out << "LayerSetPointSize Main " << options.pointSize << ";\n";
    out << "LayerSetAscent Main " << metrics.ascent << ";\n";
    out << "LayerSetHeight Main " << metrics.height << ";\n";

    std::vector<std::string> chars, offsets, rects, widths;
    for (const fontgen::PlacedGlyph& glyph : atlas.glyphs)
    {
        chars.push_back(quoteChar(glyph.code));
        offsets.push_back("(" + std::to_string(glyph.offsetX) + " " + std::to_string(glyph.offsetY) + ")");
        std::ostringstream rect;
        rect << "(" << glyph.x << " " << glyph.y << " " << glyph.width << " " << glyph.height << ")";
        rects.push_back(rect.str());
        widths.push_back(std::to_string(glyph.advance));
    }
    writeDefine(out, "Chars", chars);
    writeDefine(out, "Offsets", offsets);
    writeDefine(out, "Rects", rects);
    writeDefine(out, "Widths", widths);
    // Offsets first: the image map takes the layer's default height from them.
    out << "LayerSetCharOffsets Main Chars Offsets;\n";
    out << "LayerSetImageMap Main Chars Rects;\n";
    out << "LayerSetCharWidths Main Chars Widths;\n";

    std::vector<std::string> pairs, kerns;
    for (const fontgen::PlacedGlyph& a : atlas.glyphs)
        for (const fontgen::PlacedGlyph& b : atlas.glyphs)
        {
            if (a.code == '\'' || a.code == '\\' || b.code == '\'' || b.code == '\\')
                continue;
            int kern = face.kerning(platform::windows1252ToCodePoint(a.code),
                                    platform::windows1252ToCodePoint(b.code));
            if (kern == 0 || kern < -128 || kern > 127)
                continue;
            pairs.push_back(std::string("'") + char(a.code) + char(b.code) + "'");
            kerns.push_back(std::to_string(kern));
        }
    if (!pairs.empty())
    {
        writeDefine(out, "Pairs", pairs);
        writeDefine(out, "Kerns", kerns);
        out << "LayerSetKerningPairs Main Pairs Kerns;\n";
    }

    if (options.shadow)
    {
        out << "CreateLayerFrom Shadow Main;\n";
        out << "LayerSetOffset Shadow (" << options.shadowX << ", " << options.shadowY << ");\n";
        out << "LayerSetColorMult Shadow (0, 0, 0, 0.5);\n";
        out << "LayerSetBaseOrder Shadow -1;\n";
    }
    return bool(out.flush());
}

bool writeWidthsFile(const Options& options, const platform::FontFace& face, const fontgen::Atlas& atlas)
{
    std::ofstream out(options.out + ".txt", std::ios::binary);
    if (!out)
        return false;
    out << face.advance(' ') << ' ' << face.metrics().ascent << '\n';
    for (const fontgen::PlacedGlyph& glyph : atlas.glyphs)
        out << char(glyph.code) << ' ' << glyph.advance << '\n';
    return bool(out.flush());
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
        return usage();

    std::unique_ptr<platform::FontFace> face =
        options.fontFile.empty()
            ? platform::FontFace::openFamily(options.family, options.pixels, false, false, false)
            : platform::FontFace::open(platform::FontFile{options.fontFile, 0}, options.pixels);
    if (!face)
    {
        std::fprintf(stderr, "fontgen: cannot open the face\n");
        return 1;
    }

    std::vector<unsigned char> codes = fontgen::printableCodes();
    fontgen::Atlas atlas;
    if (options.widths)
    {
        // The widths file names its characters as single non-blank bytes; the space is given apart.
        codes.erase(codes.begin());
        atlas = fontgen::stripGlyphs(*face, codes);
    }
    else
    {
        atlas = fontgen::packGlyphs(*face, codes, 256);
    }

    if (!fontgen::writePng(options.out + ".png", atlas.width, atlas.height, atlas.pixels))
    {
        std::fprintf(stderr, "fontgen: cannot write %s.png\n", options.out.c_str());
        return 1;
    }
    bool written =
        options.widths ? writeWidthsFile(options, *face, atlas) : writeDescriptor(options, *face, atlas);
    if (!written)
    {
        std::fprintf(stderr, "fontgen: cannot write %s.txt\n", options.out.c_str());
        return 1;
    }
    return 0;
}
