// Writes the game's resource identifiers from the resource table.
//
//   resourceids TABLE HEADER SOURCE

#include "tools/contentgen/ResourceTable.h"
#include "tools/resourceids/SourceWriter.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

int fail(const std::string& message)
{
    std::fprintf(stderr, "resourceids: %s\n", message.c_str());
    return 1;
}

// Rewrites the file only when its text changes, so the game is not rebuilt for nothing.
bool writeIfChanged(const std::string& path, const std::string& text)
{
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream old;
        old << in.rdbuf();
        if (in && old.str() == text)
            return true;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return fail("usage: resourceids TABLE HEADER SOURCE");
    std::ifstream in(argv[1], std::ios::binary);
    if (!in)
        return fail(std::string("cannot read ") + argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto table = contentgen::readResourceTable(text.str(), error);
    if (!table)
        return fail(std::string(argv[1]) + ": " + error);
    if (!writeIfChanged(argv[2], resourceids::headerText(*table)))
        return fail(std::string("cannot write ") + argv[2]);
    if (!writeIfChanged(argv[3], resourceids::sourceText(*table)))
        return fail(std::string("cannot write ") + argv[3]);
    return 0;
}
