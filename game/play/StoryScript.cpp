#include "game/play/StoryScript.h"

#include "framework/foundation/Paths.h"
#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/records/SceneFileItem.h"

namespace
{

struct TypeName
{
    const char* mName;
    StoryBlockType mType;
};

const TypeName kTypeNames[] = {
    {"SummonCharacter", STORY_BLOCK_SUMMON_CHARACTER},
    {"MoveCharacter", STORY_BLOCK_MOVE_CHARACTER},
    {"ShowText", STORY_BLOCK_SHOW_TEXT},
    {"HideText", STORY_BLOCK_HIDE_TEXT},
    {"WaitUser", STORY_BLOCK_WAIT_USER},
    {"PlaySound", STORY_BLOCK_PLAY_SOUND},
    {"FadeInScreen", STORY_BLOCK_FADE_IN_SCREEN},
    {"FadeOutScreen", STORY_BLOCK_FADE_OUT_SCREEN},
    {"ShowPicture", STORY_BLOCK_SHOW_PICTURE},
    {"ShowTheEnd", STORY_BLOCK_SHOW_THE_END},
};

int32_t ArrowOf(const std::string& text)
{
    if (text == "up")
        return STORY_ARROW_UP;
    if (text == "down")
        return STORY_ARROW_DOWN;
    if (text == "left")
        return STORY_ARROW_LEFT;
    if (text == "right")
        return STORY_ARROW_RIGHT;
    return STORY_ARROW_NONE;
}

// Reads the attributes of one block tag and remembers the first thing wrong
// with them; the block is kept only when nothing was.
class BlockAttributes
{
public:
    explicit BlockAttributes(const Quib::XMLItem& tag) : mTag(tag) {}

    bool Has(const char* name) const { return mTag.mAttributes.count(name) != 0; }

    std::string Text(const char* name)
    {
        if (!Has(name))
            Fault(std::string("has no \"") + name + "\"");
        return Quib::AttributeText(mTag, name);
    }
    std::string TextOr(const char* name, const std::string& fallback) const
    {
        return Has(name) ? Quib::AttributeText(mTag, name) : fallback;
    }
    // A name the screen looks up: an empty one can name nothing.
    std::string Name(const char* name)
    {
        std::string text = Text(name);
        if (Has(name) && text.empty())
            Fault(std::string("has an empty \"") + name + "\"");
        return text;
    }
    bool Yes(const char* name) { return Text(name) == "yes"; }

    int32_t Integer(const char* name, int32_t low, int32_t high)
    {
        if (!Has(name))
        {
            Fault(std::string("has no \"") + name + "\"");
            return 0;
        }
        return Bounded(name, ParseSceneFileInteger(Quib::AttributeText(mTag, name)), low, high);
    }
    int32_t IntegerOr(const char* name, int32_t fallback, int32_t low, int32_t high)
    {
        return Has(name) ? Integer(name, low, high) : fallback;
    }
    int32_t Coordinate(const char* name)
    {
        return Integer(name, -kStoryCoordinateLimit, kStoryCoordinateLimit);
    }
    int32_t Duration(const char* name) { return Integer(name, 0, kStoryDurationLimit); }

    void Fault(const std::string& why)
    {
        if (mFault.empty())
            mFault = why;
    }
    const std::string& FaultText() const { return mFault; }

private:
    int32_t Bounded(const char* name, int32_t value, int32_t low, int32_t high)
    {
        if (value < low || value > high)
            Fault(std::string("has \"") + name + "\" " + std::to_string(value) + ", outside " +
                  std::to_string(low) + ".." + std::to_string(high));
        return value;
    }

    const Quib::XMLItem& mTag;
    std::string mFault;
};

void ReadFields(BlockAttributes& tag, StoryBlock& block)
{
    switch (block.mType)
    {
    case STORY_BLOCK_SUMMON_CHARACTER:
        block.mX = tag.Coordinate("x");
        block.mY = tag.Coordinate("y");
        block.mMirrored = tag.Yes("flip");
        block.mTextKey = tag.Name("textureId");
        block.mNeedWait = tag.Yes("needWait");
        break;
    case STORY_BLOCK_MOVE_CHARACTER:
        block.mCharacter = tag.Integer("id", 0, int32_t(kStoryBlockLimit) - 1);
        block.mX = tag.Coordinate("x");
        block.mY = tag.Coordinate("y");
        block.mDuration = tag.Duration("duration");
        block.mNeedWait = tag.Yes("needWait");
        break;
    case STORY_BLOCK_SHOW_TEXT:
        block.mX = tag.Coordinate("x");
        block.mY = tag.Coordinate("y");
        block.mW = tag.Integer("w", 0, kStorySizeLimit);
        block.mH = tag.Integer("h", 0, kStorySizeLimit);
        block.mDuration = tag.Duration("duration");
        block.mTextKey = tag.Name("textId");
        block.mNameKey = tag.Text("nameId");
        block.mArrow = ArrowOf(tag.Text("arrow"));
        block.mNeedWait = tag.Yes("needWait");
        break;
    case STORY_BLOCK_HIDE_TEXT:
        block.mNeedWait = tag.Yes("needWait");
        block.mDuration = tag.Duration("duration");
        break;
    case STORY_BLOCK_WAIT_USER:
        block.mNeedWait = tag.Yes("needWait");
        block.mX = tag.IntegerOr("x", 0, -kStoryCoordinateLimit, kStoryCoordinateLimit);
        block.mY = tag.IntegerOr("y", kStoryOkDefaultY, -kStoryCoordinateLimit, kStoryCoordinateLimit);
        break;
    case STORY_BLOCK_PLAY_SOUND:
        block.mResource = tag.TextOr("soundId", std::string());
        if (block.mResource.empty())
            tag.Fault("names no sound");
        block.mDuration = tag.IntegerOr("delay", 100, 0, kStoryDurationLimit);
        break;
    case STORY_BLOCK_SHOW_PICTURE:
    case STORY_BLOCK_SHOW_THE_END:
        block.mX = tag.Coordinate("x");
        block.mY = tag.Coordinate("y");
        block.mTextKey = tag.Name("textureId");
        break;
    default:
        break;
    }
}

StoryBlock ReadBlock(const Quib::XMLItem& tag, std::string& fault)
{
    BlockAttributes attributes(tag);
    StoryBlock block;
    if (!attributes.Has("type"))
        attributes.Fault("has no \"type\"");
    else
    {
        const std::string type = Quib::AttributeText(tag, "type");
        for (const TypeName& entry : kTypeNames)
            if (type == entry.mName)
                block.mType = entry.mType;
        if (block.mType == STORY_BLOCK_NONE)
            attributes.Fault("has the unknown type \"" + type + "\"");
    }
    ReadFields(attributes, block);
    fault = attributes.FaultText();
    return fault.empty() ? block : StoryBlock();
}

// The number of a tag "Block" followed by decimal digits, or -1.
int64_t BlockTagNumber(const std::string& tag)
{
    static const std::string kPrefix = "Block";
    if (tag.size() <= kPrefix.size() || tag.size() > kPrefix.size() + 9 || tag.compare(0, 5, kPrefix) != 0)
        return -1;
    int64_t number = 0;
    for (size_t i = kPrefix.size(); i < tag.size(); ++i)
    {
        if (tag[i] < '0' || tag[i] > '9')
            return -1;
        number = number * 10 + (tag[i] - '0');
    }
    return number;
}

} // namespace

std::string StoryScriptPath(const std::string& name)
{
    return Quib::GetCurrentFolder() + "\\content\\stories\\" + name + ".xml";
}

StoryScript ReadStoryScript(const std::string& path)
{
    StoryScript script;
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
    {
        script.mProblems.push_back(path + ": cannot be opened");
        return script;
    }
    script.mOpened = true;
    Quib::XMLItem tag;
    while (Quib::ReadStartTag(parser, tag))
    {
        const std::string expected = "Block" + std::to_string(script.mBlocks.size());
        if (tag.mValue != expected)
        {
            if (BlockTagNumber(tag.mValue) >= 0)
                script.mProblems.push_back(path + ": " + tag.mValue + " is out of sequence where " +
                                           expected + " was expected; it is passed over");
            continue;
        }
        if (script.mBlocks.size() == kStoryBlockLimit)
        {
            script.mProblems.push_back(path + ": more than " + std::to_string(kStoryBlockLimit) +
                                       " blocks; the rest is not read");
            break;
        }
        std::string fault;
        script.mBlocks.push_back(ReadBlock(tag, fault));
        if (!fault.empty())
            script.mProblems.push_back(path + ": " + expected + " " + fault + "; it is skipped");
    }
    if (parser.HasFailed())
        script.mProblems.push_back(path + ": line " + std::to_string(parser.GetLineNumber()) + ": " +
                                   parser.GetErrorMessage());
    return script;
}
