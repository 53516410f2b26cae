#include "game/play/hud/HintChoice.h"

#include <gtest/gtest.h>

namespace
{

SceneItemRecord Record(const std::string& name, int32_t major, int32_t minor, float x, float y)
{
    SceneItemRecord r;
    r.mName = name;
    r.mImage = name + ".png";
    r.mMajorGroupId = major;
    r.mMinorGroupId = minor;
    r.mX = x;
    r.mY = y;
    r.mLayer = 20;
    r.mType = 1;
    r.mAlpha = 255;
    return r;
}

ItemMask Solid(const std::string&)
{
    return {10, 10, std::vector<uint8_t>(100, 255)};
}

size_t IndexOf(const PlayfieldModel& model, const std::string& name)
{
    for (size_t i = 0; i < model.Items().size(); ++i)
        if (model.Items()[i].mRecord.mName == name)
            return i;
    return model.Items().size();
}

// The last wanted item of the list, at each step of its collection, and what
// a hint asked for then shows: the item while it rests in the picture,
// nothing while it flies (it is still on the list), the pieces once it has
// arrived, except in the first scene.
TEST(HintChoiceTest, ShowsTheWantedItemThenNothingWhileItFliesThenThePieces)
{
    enum class Step
    {
        Resting,
        Pulsing,
        Flying,
        Arrived
    };
    struct Case
    {
        Step step;
        bool firstScene;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {Step::Resting, false, {"Key"}},  {Step::Pulsing, false, {}}, {Step::Flying, false, {}},
        {Step::Arrived, false, {"Part"}}, {Step::Arrived, true, {}},  {Step::Flying, true, {}},
    };
    for (const Case& c : cases)
    {
        PlayfieldModel model;
        model.Load(
            {Record("Key", -1, -1, 0, 0), Record("Part", -1, 4, 20, 0), Record("Whole", 4, -1, 0, 100)},
            kFullListMode, false, Solid);
        model.BuildFullList({{"Key", -1, false}});
        const size_t key = IndexOf(model, "Key");
        if (c.step == Step::Flying || c.step == Step::Arrived)
        {
            ASSERT_EQ(model.Click(1, 1), ClickOutcome::Found);
        }
        const bool collecting = c.step == Step::Flying;
        const bool busy = collecting || c.step == Step::Pulsing;
        const std::vector<size_t> targets = ChooseHintTargets(
            model, c.firstScene, [&](size_t i) { return !(i == key && busy); },
            [&](size_t i) { return i == key && collecting; }, [] { return 7; });
        std::vector<std::string> shown;
        for (size_t i : targets)
            shown.push_back(model.Items()[i].mRecord.mName);
        EXPECT_EQ(shown, c.shown) << "step " << int(c.step) << (c.firstScene ? " in the first scene" : "");
    }
}

} // namespace
