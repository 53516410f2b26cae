#include "framework/app/SystemDialogs.h"

#include "framework/app/StringTable.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

struct FakeDialogHost : SystemDialogHost
{
    bool IsScreenSaverMode() override { return screenSaver; }
    void WriteScreenSaverErrorLog(const std::string& text) override { log.push_back(text); }
    bool IsShuttingDown() override { return shuttingDown; }
    bool IsWindowedNow() override { return windowed; }
    bool ShowDesktopSurface() override
    {
        ++desktopShown;
        return hasDisplay;
    }
    void ResetUpdateTimer() override { ++timerResets; }
    void ClearKeyStates() override { ++keyClears; }
    void ReleaseHeldMouseButtons() override { ++buttonReleases; }
    const platform::Window* DialogOwner() override { return nullptr; }

    bool screenSaver = false;
    bool shuttingDown = false;
    bool windowed = true;
    bool hasDisplay = true;
    std::vector<std::string> log;
    int desktopShown = 0;
    int timerResets = 0;
    int keyClears = 0;
    int buttonReleases = 0;
};

class SystemDialogsTest : public ::testing::Test
{
protected:
    std::vector<platform::MessageBoxRequest> boxes;
    platform::ScopedMessageBoxHook hook{[this](const platform::MessageBoxRequest& r)
                                        {
                                            boxes.push_back(r);
                                            up.push_back(dialogs.IsSystemDialogUp());
                                            return platform::IDNO;
                                        }};
    std::vector<bool> up;
    FakeDialogHost host;
    StringTable strings;
    SystemDialogs dialogs{host, strings};
};

TEST_F(SystemDialogsTest, FullScreenBoxShowsTheDesktopAndNothingIsCaughtUpAfterwards)
{
    host.windowed = false;
    EXPECT_EQ(dialogs.ShowMessageBox("Keep?", "Question", platform::MB_YESNO), platform::IDNO);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(up, std::vector<bool>{true});
    EXPECT_FALSE(dialogs.IsSystemDialogUp());
    EXPECT_EQ(host.timerResets, 1);
    EXPECT_EQ(host.keyClears, 1);
    EXPECT_EQ(host.buttonReleases, 1);

    host.windowed = true;
    dialogs.ShowMessageBox("Again", "Question", platform::MB_OK);
    EXPECT_EQ(up.back(), false);
    EXPECT_EQ(host.desktopShown, 1);
    EXPECT_EQ(host.timerResets, 2);
}

TEST_F(SystemDialogsTest, ErrorsUseTheLookedUpCaptionAndAreSilentDuringShutdown)
{
    dialogs.ShowError("Broken");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "FATAL ERROR");
    EXPECT_EQ(boxes[0].text, "Broken");
    EXPECT_EQ(boxes[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    strings.StoreString(L"Schwerer Fehler", "FATAL_ERROR");
    dialogs.ShowErrorWide(L"Kaputt \u00fc \u65e5");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Schwerer Fehler");
    EXPECT_EQ(boxes[1].text, "Kaputt \xFC ?");

    host.shuttingDown = true;
    dialogs.ShowError("Late");
    dialogs.ShowErrorWide(L"Late");
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(host.timerResets, 4); // the bracket still ran
}

TEST_F(SystemDialogsTest, ScreenSaverModeLogsInsteadOfShowing)
{
    host.screenSaver = true;
    EXPECT_EQ(dialogs.ShowMessageBox("one", "c", platform::MB_YESNO), platform::IDOK);
    EXPECT_EQ(dialogs.ShowMessageBoxWide(L"two", L"c", platform::MB_YESNO), platform::IDOK);
    dialogs.ShowError("three");
    dialogs.ShowErrorWide(L"four");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(host.log, (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(host.timerResets, 0);
}

} // namespace
