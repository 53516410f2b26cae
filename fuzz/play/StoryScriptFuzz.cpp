// A story script read as data: every block kept must hold numbers the story
// screen can use as they are.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/play/StoryScript.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

namespace
{

bool Within(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

bool Usable(const StoryBlock& block)
{
    return block.mType >= STORY_BLOCK_NONE && block.mType <= STORY_BLOCK_SHOW_THE_END &&
           Within(block.mX, -kStoryCoordinateLimit, kStoryCoordinateLimit) &&
           Within(block.mY, -kStoryCoordinateLimit, kStoryCoordinateLimit) &&
           Within(block.mW, 0, kStorySizeLimit) && Within(block.mH, 0, kStorySizeLimit) &&
           Within(block.mDuration, 0, kStoryDurationLimit) &&
           Within(block.mCharacter, 0, int32_t(kStoryBlockLimit)) &&
           Within(block.mArrow, STORY_ARROW_NONE, STORY_ARROW_RIGHT);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("storyscript");
    static const std::string document = folder.File("Story.xml");
    if (!platform::writeFile(document, data, size))
        return 0;
    StoryScript script = ReadStoryScript(document);
    if (script.mBlocks.size() > kStoryBlockLimit)
        __builtin_trap();
    for (const StoryBlock& block : script.mBlocks)
        if (!Usable(block))
            __builtin_trap();
    return 0;
}
