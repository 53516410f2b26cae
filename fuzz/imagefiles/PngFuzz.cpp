#include "FuzzFile.h"
#include "framework/resources/ImageLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageLib::ReadPngImage(WriteFuzzInput(data, size, ".png"));
    return 0;
}
