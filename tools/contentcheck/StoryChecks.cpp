#include "framework/foundation/Rect.h"
#include "game/play/StoryScript.h"
#include "game/records/LevelMapTable.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentcheck/PackFonts.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace contentcheck
{

namespace
{

// What a story may name: the pictures of the story screen's own group, and
// the sounds of the groups loaded whenever a story plays.
const std::set<std::string> kSoundGroups = {"Init", "GameResources", "StoryDialog"};
constexpr const char* kPictureGroup = "StoryDialog";

// Where the story screen draws a bubble's text and its OK button.
constexpr int kBubbleBaseline = 27, kBubbleOkAbove = 45, kBubbleTextMargin = 80;
// The letter's text against its paper; the last line keeps this much paper below it.
constexpr int kLetterBaseline = 60, kLetterSpan = 690, kPaperBottomMargin = 8;
// The story screen's envelope rests this far above the bottom edge, its flap this far above its top.
constexpr int kEnvelopeClearance = 100, kFlapAbove = 202;

std::vector<std::string> storyNames()
{
    std::vector<std::string> names = {"Cutscene0_1", "Cutscene0_2", "Cutscene0_3", "Cutscene19_1",
                                      "Cutscene19_2"};
    // A scene's story is asked for on each visit the map leads to: the first,
    // and "replay" where a returning level comes back to it.
    for (const LevelMapEntry& level : LevelMapTable::GetInstance()->mLevels)
        for (const SceneMarker& marker : level.mMarkers)
            names.push_back(marker.SceneName() + (marker.mRevisit ? "replay" : ""));
    for (int level = 1; level <= 18; ++level)
        names.push_back("cutscene" + std::to_string(level));
    return names;
}

// The stories the map and the scene screen play with the envelope rising
// behind them.
bool playsWithEnvelope(const std::string& name)
{
    if (name == "Cutscene0_2" || name == "Cutscene0_3")
        return true;
    for (int level = 1; level <= 18; ++level)
        if (name == "cutscene" + std::to_string(level))
            return true;
    return false;
}

std::vector<std::string> letterKeys()
{
    std::vector<std::string> keys = {"EnvelopeText0_2", "EnvelopeText0_3"};
    for (int level = 1; level <= 18; ++level)
        keys.push_back("EnvelopeText" + std::to_string(level));
    return keys;
}

struct StoryContext
{
    const contentgen::ResourceTable& table;
    const std::map<std::string, std::string>& strings;
    Quib::Font* bubbleFont;
    const contentgen::ResourceEntry* corner;
    const contentgen::ResourceEntry* edge;
    const contentgen::ResourceEntry* fill;
    // Where the story screen's envelope and its flap come to rest; empty
    // when their pictures are missing.
    std::vector<Quib::Rect> envelope;
    Problems& problems;
};

std::vector<Quib::Rect> envelopeRectangles(const contentgen::ResourceTable& table)
{
    const contentgen::ResourceEntry* body = table.find("IMAGE_ENVELOPE_DOWN1");
    const contentgen::ResourceEntry* flap = table.find("IMAGE_ENVELOPE_UP_STRIP1");
    if (!body || !flap || flap->rows < 1)
        return {};
    const int x = 400 - body->width / 2, y = 600 - body->height - kEnvelopeClearance;
    return {Quib::Rect(x, y, body->width, body->height),
            Quib::Rect(x, y - kFlapAbove, flap->width, flap->height / flap->rows)};
}

// A character stands where it is summoned and where each move takes it; over
// the envelope it would hide the letter the story is about.
void checkClearOfEnvelope(const StoryContext& context, const std::string& where, const Quib::Rect& character)
{
    for (const Quib::Rect& part : context.envelope)
        if (character.Intersects(part))
        {
            const Quib::Rect overlap = character.Intersection(part);
            context.problems.push_back(where + ": a portrait at (" + std::to_string(character.mX) + ", " +
                                       std::to_string(character.mY) + ") covers " +
                                       std::to_string(overlap.mWidth) + " x " +
                                       std::to_string(overlap.mHeight) + " pixels of the envelope");
            return;
        }
}

void checkBubble(const StoryContext& context, const std::string& where, const StoryBlock& block)
{
    auto text = context.strings.find(block.mTextKey);
    auto name = context.strings.find(block.mNameKey);
    if (text == context.strings.end() || (!block.mNameKey.empty() && name == context.strings.end()))
    {
        context.problems.push_back(where + " shows \"" + block.mTextKey + "\" by \"" + block.mNameKey +
                                   "\", not both in properties/Strings.xml");
        return;
    }
    if (!context.bubbleFont || !context.corner || !context.edge || !context.fill)
        return;
    const int cw = context.corner->width, ch = context.corner->height, tw = context.edge->width;
    const int width = 2 * cw + tw * ((block.mW - 2 * cw) / tw + 1);
    const int height = 2 * ch + tw * ((block.mH - 2 * ch) / tw + 1);
    // The fill carries the bubble's frame, which only keeps its shape unstretched.
    if (width - 40 != context.fill->width || height - 20 != context.fill->height)
        context.problems.push_back(where + ": the bubble of \"" + block.mTextKey + "\" stretches its " +
                                   std::to_string(context.fill->width) + " x " +
                                   std::to_string(context.fill->height) + " fill to " +
                                   std::to_string(width - 40) + " x " + std::to_string(height - 20));
    const std::string shown =
        (block.mNameKey.empty() ? std::string() : name->second + ":\n\n") + text->second;
    // A bubble the player answers has its OK button over its bottom.
    const int limit = block.mNeedWait ? block.mH - kBubbleOkAbove : height;
    const int bottom = wrappedBottom(context.bubbleFont, shown, width - kBubbleTextMargin, kBubbleBaseline);
    if (bottom > limit)
        context.problems.push_back(where + ": the text of \"" + block.mTextKey + "\" runs " +
                                   std::to_string(bottom - limit) + " pixels past its bubble");
    if (block.mX < 0 || block.mY < 0 || block.mX + width > 800 || block.mY + height > 600)
        context.problems.push_back(where + ": the bubble of \"" + block.mTextKey + "\" leaves the screen");
}

void checkStory(const StoryContext& context, const std::string& name)
{
    const std::string path = "content/stories/" + name + ".xml";
    StoryScript script = ReadStoryScript(path);
    for (const std::string& problem : script.mProblems)
        context.problems.push_back(problem);
    if (script.mOpened && script.mBlocks.empty())
        context.problems.push_back(path + ": no blocks");
    const bool withEnvelope = playsWithEnvelope(name);
    // The size of each summoned character's picture, by summon order.
    std::vector<std::pair<int, int>> characterSizes;
    bool waitsForOk = false;
    for (size_t i = 0; i < script.mBlocks.size(); ++i)
    {
        const StoryBlock& block = script.mBlocks[i];
        const std::string where = path + ": Block" + std::to_string(i);
        const contentgen::ResourceEntry* picture = nullptr;
        switch (block.mType)
        {
        case STORY_BLOCK_SUMMON_CHARACTER:
        case STORY_BLOCK_SHOW_PICTURE:
        case STORY_BLOCK_SHOW_THE_END:
            picture = context.table.find(block.mTextKey);
            if (!picture || picture->kind != contentgen::ResourceKind::Image ||
                picture->group != kPictureGroup)
                context.problems.push_back(where + " names \"" + block.mTextKey +
                                           "\", no picture of the group " + kPictureGroup);
            if (block.mType == STORY_BLOCK_SUMMON_CHARACTER)
            {
                characterSizes.emplace_back(picture ? picture->width : 0, picture ? picture->height : 0);
                if (withEnvelope)
                    checkClearOfEnvelope(context, where,
                                         Quib::Rect(block.mX, block.mY, characterSizes.back().first,
                                                    characterSizes.back().second));
            }
            break;
        case STORY_BLOCK_MOVE_CHARACTER:
            if (block.mCharacter < 0 || size_t(block.mCharacter) >= characterSizes.size())
                context.problems.push_back(where + " moves character " + std::to_string(block.mCharacter) +
                                           " before it is summoned");
            else if (withEnvelope)
                checkClearOfEnvelope(context, where,
                                     Quib::Rect(block.mX, block.mY,
                                                characterSizes[size_t(block.mCharacter)].first,
                                                characterSizes[size_t(block.mCharacter)].second));
            break;
        case STORY_BLOCK_SHOW_TEXT:
            checkBubble(context, where, block);
            break;
        case STORY_BLOCK_PLAY_SOUND:
            if (const contentgen::ResourceEntry* sound = context.table.find(block.mResource);
                !sound || sound->kind != contentgen::ResourceKind::Sound || !kSoundGroups.count(sound->group))
                context.problems.push_back(where + " plays \"" + block.mResource +
                                           "\", no sound of a group loaded while stories play");
            break;
        case STORY_BLOCK_WAIT_USER:
            waitsForOk = true;
            break;
        default:
            break;
        }
    }
    if (script.mOpened && !waitsForOk)
        context.problems.push_back(path + ": never waits for the player's OK");
}

void checkLetters(const contentgen::ResourceTable& table, const std::map<std::string, std::string>& strings,
                  Quib::Font* font, Problems& problems)
{
    const contentgen::ResourceEntry* envelope = table.find("IMAGE_ENVELOPE_DOWN");
    const contentgen::ResourceEntry* paper = table.find("IMAGE_ENVELOPE_PAPER");
    if (!font || !envelope || !paper)
    {
        problems.push_back("the letters' font, envelope or paper is missing");
        return;
    }
    const int envelopeX = 400 - envelope->width / 2;
    const int width = kLetterSpan - 2 * envelopeX;
    for (const std::string& key : letterKeys())
    {
        auto text = strings.find(key);
        if (text == strings.end())
        {
            problems.push_back("the letter " + key + " is not in properties/Strings.xml");
            continue;
        }
        const int bottom = wrappedBottom(font, text->second, width, kLetterBaseline);
        if (bottom > paper->height - kPaperBottomMargin)
            problems.push_back("the letter " + key + " runs " + std::to_string(bottom - paper->height) +
                               " pixels past the bottom of its paper");
    }
}

} // namespace

void checkStories(const contentgen::ResourceTable& table, Problems& problems)
{
    const std::map<std::string, std::string> strings = readStringTable(problems);
    PackFonts fonts({"Init", "StoryEnvelope"});
    Quib::Font* bubbleFont = fonts.Get("FONT_ITEM_LABELS");
    Quib::Font* letterFont = fonts.Get("FONT_STORY_ENVELOPE");
    if (!bubbleFont || !letterFont)
        problems.push_back("the story fonts do not load: " + fonts.GetErrorMessage());

    const StoryContext context{table,
                               strings,
                               bubbleFont,
                               table.find("IMAGE_STORY_CORNERTILE"),
                               table.find("IMAGE_STORY_CENTERTILE"),
                               table.find("IMAGE_STORY_BG"),
                               envelopeRectangles(table),
                               problems};
    for (const std::string& name : storyNames())
        checkStory(context, name);
    checkLetters(table, strings, letterFont, problems);
}

} // namespace contentcheck
