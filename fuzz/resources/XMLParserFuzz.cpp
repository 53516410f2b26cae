// The XML reader over one document, read item by item and past its errors.
#include "framework/resources/XMLEntities.h"
#include "framework/resources/XMLParser.h"
#include "fuzz/resources/FuzzScratchFolder.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("xml");
    static const std::string document = folder.File("doc.xml");
    if (!platform::writeFile(document, data, size))
        return 0;

    Quib::XMLParser parser;
    if (!parser.OpenDocument(document))
        return 0;
    Quib::XMLItem item;
    // Each read consumes at least one character, so this ends with the input.
    int errors = 0;
    while (parser.ReadItem(&item) || (parser.HasFailed() && ++errors < 64))
        if (parser.GetLineNumber() < 1)
            __builtin_trap();

    Quib::DecodeXmlEntities(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
