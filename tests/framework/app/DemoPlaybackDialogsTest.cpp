#include "framework/app/DemoPlaybackDialogs.h"

#include "platform/Environment.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Quib;

namespace
{

TEST(DemoPlaybackDialogsTest, DoubleClickOnAMarkerAheadSetsTheTarget)
{
    int target = 0;
    MarkerListDialog dialog(7, nullptr, {{"boss (00:01:00)", 4000}, {"end (00:00:10)", 9000}}, 500, target);
    ASSERT_EQ(dialog.mList->GetLineCount(), 2);
    EXPECT_EQ(dialog.mList->GetLineText(1), "end (00:00:10)");

    dialog.OnListClick(100, 1, 1); // a single click only selects
    EXPECT_EQ(target, 0);
    EXPECT_EQ(dialog.mResult, INT_MAX);
    dialog.OnListClick(100, 5, 2); // no such line
    EXPECT_EQ(target, 0);
    dialog.OnListClick(100, 1, 2);
    EXPECT_EQ(target, 9000);
    EXPECT_EQ(dialog.mResult, 0);
}

TEST(DemoPlaybackDialogsTest, JumpTimeOffersTheLastOneAndSetsTheTargetOnOk)
{
    const auto config =
        std::filesystem::temp_directory_path() / ("orvellan-jumpdialog-" + std::to_string(getpid()));
    platform::setEnv("XDG_CONFIG_HOME", config.string());
    SaveDemoJumpTime("", "0:30");

    int target = -1;
    JumpToTimeDialog cancelled(8, "", 100000, 10, target);
    EXPECT_EQ(cancelled.mEdit->mString, "0:30");
    cancelled.OnButtonReleased(DIALOG_SECOND_BUTTON_ID);
    EXPECT_EQ(target, -1);
    EXPECT_EQ(cancelled.mResult, DIALOG_SECOND_BUTTON_ID);

    JumpToTimeDialog dialog(8, "", 100000, 10, target);
    dialog.mEdit->SetText("1:30");
    dialog.OnButtonReleased(DIALOG_FIRST_BUTTON_ID);
    EXPECT_EQ(target, 100000 - 9100);
    EXPECT_EQ(LoadDemoJumpTime(""), "1:30");

    platform::setEnv("XDG_CONFIG_HOME", "");
    std::filesystem::remove_all(config);
}

} // namespace
