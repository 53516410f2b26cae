// The game's two property tables over one document.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/shell/SfxIndexTable.h"
#include "game/shell/StringTable.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("strings");
    static const std::string document = folder.File("Strings.xml");
    if (!platform::writeFile(document, data, size))
        return 0;

    StringTable strings;
    if (!strings.Load(document))
        __builtin_trap();
    SfxIndexTable indexes;
    indexes.Load(document);
    if (strings.Lookup("Scene1").empty() && indexes.Lookup("Scene1") != 0)
        __builtin_trap();
    return 0;
}
