#include "game/play/PlayfieldModel.h"

#include <gtest/gtest.h>

namespace
{

SceneItemRecord Record(const std::string& name, int32_t major, int32_t minor, float x, float y,
                       int32_t layer = 20, int32_t typeId = 0)
{
    SceneItemRecord r;
    r.mName = name;
    r.mImage = name + ".png";
    r.mMajorGroupId = major;
    r.mMinorGroupId = minor;
    r.mX = x;
    r.mY = y;
    r.mLayer = layer;
    r.mType = 1;
    r.mTypeId = typeId;
    r.mAlpha = 255;
    return r;
}

// Solid 10 x 10 pictures, except "ring" (hollow centre), "hint" (a strip of
// 24 frames of 8 x 8) and "small" (4 x 4).
ItemMask Mask(const std::string& file)
{
    ItemMask mask;
    mask.mWidth = file == "hint.jpg" ? 8 * kHintStripFrames : file == "small.jpg" ? 4 : 10;
    mask.mHeight = file == "hint.jpg" ? 8 : file == "small.jpg" ? 4 : 10;
    mask.mAlpha.assign(size_t(mask.mWidth * mask.mHeight), 255);
    if (file == "ring.jpg")
        for (int y = 3; y < 7; ++y)
            for (int x = 3; x < 7; ++x)
                mask.mAlpha[size_t(y * 10 + x)] = 0;
    return mask;
}

std::vector<SceneListEntry> Names(std::initializer_list<const char*> names)
{
    std::vector<SceneListEntry> list;
    for (const char* name : names)
        list.push_back({name, -1, false});
    return list;
}

TEST(PlayfieldModelTest, HitTestsTopLayerFirstThroughTransparentPixels)
{
    PlayfieldModel model;
    model.Load(
        {Record("below", -1, -1, 0, 0, 10), Record("ring", -1, -1, 0, 0, 30), Record("small", -1, -1, 20, 0)},
        1, false, Mask);
    model.BuildFullList(Names({"below", "ring"}));
    auto name = [&](int32_t index)
    { return index < 0 ? std::string() : model.Items()[size_t(index)].mRecord.mName; };
    EXPECT_EQ(name(model.FindItemAt(1, 1, false)), "ring");
    EXPECT_EQ(name(model.FindItemAt(5, 5, false)), "below"); // through the ring's hole
    EXPECT_EQ(name(model.FindItemAt(5, 5, true)), "ring");   // a selected usable object ignores alpha
    EXPECT_EQ(name(model.FindItemAt(10, 10, false)), ""); // the inclusive far edge lies outside the picture
    EXPECT_EQ(name(model.FindItemAt(23, 3, false)), "small"); // each picture with its own size
    EXPECT_EQ(name(model.FindItemAt(24, 3, false)), "");
    EXPECT_EQ(name(model.FindItemAt(-1, 0, false)), "");
}

TEST(PlayfieldModelTest, HintsAreNotListedAndTheCountStopsAtZero)
{
    PlayfieldModel model;
    SceneItemRecord hint = Record("Hint", 999, 999, 50, 50);
    hint.mImage = "hint.png";
    model.Load({Record("Key", -1, -1, 0, 0), hint}, 1, false, Mask);
    model.BuildFullList(Names({"Key", "Key", "Hint"}));
    EXPECT_EQ(model.ItemsLeft(), 1);
    EXPECT_EQ(model.Items()[1].mWidth, 8); // one frame of the strip
    EXPECT_EQ(model.FindItemAt(58, 52, false), -1);
    EXPECT_EQ(model.Click(51, 51), ClickOutcome::HintTaken);
    EXPECT_EQ(model.Hints(), 1);
    EXPECT_EQ(model.ItemsLeft(), 1);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::Found);
    EXPECT_EQ(model.ItemsLeft(), 0);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::Nothing);
    EXPECT_EQ(model.ItemsLeft(), 0);
}

TEST(PlayfieldModelTest, AFullCounterLeavesTheHintInThePicture)
{
    PlayfieldModel model;
    SceneItemRecord hint = Record("Hint", 999, 999, 0, 0);
    hint.mImage = "hint.png";
    model.Load({hint}, 1, false, Mask);
    model.SetHints(PlayfieldModel::kMaxHints);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::Nothing);
    model.SetHints(2);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::HintTaken);
    EXPECT_EQ(model.Hints(), 3);
}

TEST(PlayfieldModelTest, PiecesMakeTheUsableObjectThatOpensTheMiniGame)
{
    PlayfieldModel model;
    model.Load({Record("Key", -1, -1, 0, 0), Record("Part 1", -1, 4, 20, 0), Record("Part 2", -1, 4, 40, 0),
                Record("Whole", 4, -1, 0, 100), Record("Door", 100, 100, 60, 0),
                Record("Stray", -1, 9, 80, 0)},
               1, false, Mask);
    model.BuildFullList(Names({"Key"}));
    EXPECT_EQ(model.PiecesLeft(), 2); // the stray piece has no combined item
    EXPECT_EQ(model.Click(81, 1), ClickOutcome::Nothing);
    EXPECT_EQ(model.Click(1, 101), ClickOutcome::Nothing); // the combined item sits in the inventory
    EXPECT_EQ(model.Click(61, 1), ClickOutcome::Nothing);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::Found);
    EXPECT_FALSE(model.IsFinished());
    EXPECT_EQ(model.Click(21, 1), ClickOutcome::PieceFound);
    EXPECT_FALSE(model.HasHeldItem());
    EXPECT_EQ(model.Click(41, 1), ClickOutcome::PieceFound);
    ASSERT_TRUE(model.HasHeldItem());
    EXPECT_EQ(model.Click(61, 1), ClickOutcome::Nothing); // not selected yet
    model.ToggleHeldSelection();
    EXPECT_EQ(model.Click(61, 1), ClickOutcome::MiniGameOpened);
    model.SetMiniGameDone();
    EXPECT_FALSE(model.HasHeldItem());
    EXPECT_TRUE(model.IsFinished());
}

// The first scene hides its pieces until its tutorial has told of them; a
// hidden piece still takes a click on its shape, so the item below it is not
// found through it, and the piece gives nothing until it is shown.
TEST(PlayfieldModelTest, AHiddenPieceTakesTheClickFromTheItemBelowAndGivesNothing)
{
    PlayfieldModel model;
    model.Load(
        {Record("Key", -1, -1, 0, 0, 10), Record("Part", -1, 4, 0, 0, 30), Record("Whole", 4, -1, 0, 100)}, 1,
        false, Mask);
    model.BuildFullList(Names({"Key"}));
    size_t part = 0;
    while (model.Items()[part].mRecord.mName != "Part")
        ++part;
    model.SetItemVisible(part, false);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::HiddenPiece);
    EXPECT_EQ(model.ItemsLeft(), 1);
    EXPECT_EQ(model.PiecesLeft(), 1);
    EXPECT_FALSE(model.Items()[part].mRemoved);

    model.SetItemVisible(part, true);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::PieceFound);
    EXPECT_EQ(model.Click(1, 1), ClickOutcome::Found);
}

TEST(PlayfieldModelTest, VisitsKeepWhatTheyUse)
{
    const std::vector<SceneItemRecord> records = {Record("Key", -1, -1, 0, 0),
                                                  Record("Diary page", -1, -1, 20, 0, 20, 789),
                                                  Record("Part", -1, 4, 40, 0),
                                                  Record("Whole", 4, -1, 0, 100),
                                                  Record("Coin 1", 20, -1, 60, 0, 20, 777),
                                                  Record("Coin 2", 20, -1, 80, 0, 20, 777)};
    PlayfieldModel second;
    second.Load(records, 1, true, Mask);
    std::vector<std::string> kept;
    for (const PlayfieldItem& item : second.Items())
        kept.push_back(item.mRecord.mName);
    EXPECT_EQ(kept, (std::vector<std::string>{"Key"}));

    PlayfieldModel ten;
    ten.Load(records, 0, false, Mask);
    ten.BuildTenItemsList({{"Coin 1", 20, true}, {"Coin 2", 20, false}, {"Coin 2", 21, false}});
    EXPECT_EQ(ten.ItemsLeft(), 1);
    EXPECT_EQ(ten.FindItemAt(61, 1, false), -1); // taken on an earlier visit
    EXPECT_EQ(ten.Click(1, 1), ClickOutcome::Misclick);
    EXPECT_EQ(ten.Click(81, 1), ClickOutcome::Found);
    EXPECT_TRUE(ten.IsFinished());
}

} // namespace
