// Reads arbitrary bytes as the options file: volumes stay within 0 to 1, and
// what is written back is the fourteen-byte layout that reads the same values.
#include "fuzz/records/RecordsFuzzCheck.h"
#include "game/records/OptionsData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Quib::Buffer input = bufferOf(data, size);
    OptionsData options;
    options.Read(input);
    for (double volume : {options.mMusicVolume, options.mSoundVolume, options.mAmbientVolume})
        check(volume >= 0.0 && volume <= 1.0);

    Quib::Buffer written;
    options.Write(written);
    check(written.ByteCount() == 14);
    OptionsData again;
    again.Read(written);
    check(again == options);
    return 0;
}
