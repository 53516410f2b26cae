#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one block of a story script does; the numbers are those the blocks carry.
enum StoryBlockType : int32_t
{
    STORY_BLOCK_NONE = 0,
    STORY_BLOCK_SUMMON_CHARACTER = 1,
    STORY_BLOCK_MOVE_CHARACTER = 2,
    STORY_BLOCK_SHOW_TEXT = 3,
    STORY_BLOCK_HIDE_TEXT = 4,
    STORY_BLOCK_WAIT_USER = 5,
    STORY_BLOCK_PLAY_SOUND = 6,
    STORY_BLOCK_FADE_IN_SCREEN = 7,
    STORY_BLOCK_FADE_OUT_SCREEN = 8,
    STORY_BLOCK_SHOW_PICTURE = 9,
    STORY_BLOCK_SHOW_THE_END = 10,
};

// Speech-bubble arrows as the "arrow" attribute names them.
enum StoryArrow : int32_t
{
    STORY_ARROW_NONE = 0,
    STORY_ARROW_UP = 1,
    STORY_ARROW_DOWN = 2,
    STORY_ARROW_LEFT = 3,
    STORY_ARROW_RIGHT = 4,
};

// One block of a story script. Which fields a type uses: the summon takes
// x, y, mirror, picture (mTextKey) and wait; a move the character, target,
// duration and wait; a text its rectangle, fade-in, text and name keys,
// arrow and wait; a sound its resource and delay (mDuration); a picture its
// position and resource (mTextKey).
struct StoryBlock
{
    int32_t mType = STORY_BLOCK_NONE;
    std::string mResource;
    std::string mTextKey;
    std::string mNameKey;
    int32_t mX = 0;
    int32_t mY = 0;
    int32_t mW = 0;
    int32_t mH = 0;
    int32_t mCharacter = 0;
    bool mMirrored = false;
    int32_t mArrow = STORY_ARROW_NONE;
    bool mNeedWait = false;
    int32_t mDuration = 100;
};

// What a script file gave: its blocks in order, and one line for each thing
// that was wrong with it. A block that was wrong stays in its place as a block
// of type 0, so that the numbers in the lines match the file's.
struct StoryScript
{
    bool mOpened = false;
    std::vector<StoryBlock> mBlocks;
    std::vector<std::string> mProblems;
};

// Limits that keep a script's numbers where the story screen can use them:
// a position or target beyond the coordinate limit, a bubble larger than the
// size limit or a duration longer than the duration limit makes its block
// wrong, and reading stops at the block limit.
constexpr int32_t kStoryCoordinateLimit = 4000;
constexpr int32_t kStorySizeLimit = 1600;
constexpr int32_t kStoryDurationLimit = 60000;
constexpr size_t kStoryBlockLimit = 1000;
// Where a waiting block puts the OK button when it gives no "y".
constexpr int32_t kStoryOkDefaultY = 550;

// The file a script of that name is read from, under the working folder.
std::string StoryScriptPath(const std::string& name);

// Reads a script: start tags only, "Block0", "Block1", ... in order at any
// depth; other tags and block tags out of sequence are passed over (and a
// block tag out of sequence is named in the problems). An XML error ends the
// reading and keeps the blocks read before it.
StoryScript ReadStoryScript(const std::string& path);
