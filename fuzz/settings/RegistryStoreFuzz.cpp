// Reads the input as a settings-store file, then changes one value: the store
// rewrites the whole file, and what it wrote must read back.
#include "fuzz/FuzzScratchFile.h"
#include "platform/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("orvellan-fuzz-settings", ".txt");
    platform::RegistryStore store(file.Write(data, size));
    for (const char* key : {"Software\\Orvellan", "software/orvellan/Game", "a"})
        for (const char* name : {"Volume", "", "x=y"})
            store.read(key, name);

    const char value[] = "new\n[value]=1:00";
    if (!store.write("Fuzz\\Key]\n[x", "name=\\", 7, value, sizeof(value)))
        return 0;
    const auto back = platform::RegistryStore(file.Path()).read("fuzz/key]\n[X", "NAME=\\");
    if (!back || back->type != 7 || back->data.size() != sizeof(value) ||
        std::memcmp(back->data.data(), value, sizeof(value)) != 0)
        std::abort();
    store.erase("Fuzz\\Key]\n[x", "name=\\");
    return 0;
}
