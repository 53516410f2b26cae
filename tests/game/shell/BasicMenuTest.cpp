#include "game/shell/BasicMenu.h"

#include "tests/game/shell/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <string>

using shelltest::PlainPicture;
using shelltest::ShellApp;
using shelltest::TakeLog;

namespace
{

// Notes its end in a shared log.
class NotedWidget : public Quib::Widget
{
public:
    NotedWidget(std::string name, std::vector<std::string>* log) : mName(std::move(name)), mLog(log) {}
    ~NotedWidget() override { mLog->push_back(mName + " deleted"); }
    std::string mName;
    std::vector<std::string>* mLog;
};

class NotedMenu : public BasicMenu
{
public:
    explicit NotedMenu(std::vector<std::string>* log) : mLog(log) {}
    ~NotedMenu() override { mLog->push_back("menu deleted"); }
    void OnBeforeRemove() override { Note("before remove"); }
    void OnRemoved() override { Note("removed"); }
    void Note(const std::string& what)
    {
        mLog->push_back(what + (mWidgetManager ? " (in tree)" : " (out of tree)"));
    }
    std::vector<std::string>* mLog;
};

struct Menus : ::testing::Test
{
    ShellApp app;
    std::vector<std::string> log;
    Quib::Widget screen;
};

TEST_F(Menus, FadesInAndOutByThreePerUpdate)
{
    BasicMenu menu;
    menu.mAlpha = 0.0f;
    menu.mFadeState = FADE_IN;
    for (int i = 0; i < 86; ++i)
        menu.UpdateFraction(1.0f);
    EXPECT_EQ(menu.mAlpha, 255.0f);
    EXPECT_EQ(menu.mFadeState, FADE_IDLE);
    menu.mFadeState = FADE_OUT;
    menu.UpdateFraction(0.5f);
    EXPECT_EQ(menu.mAlpha, 253.5f);
    for (int i = 0; i < 100; ++i)
        menu.UpdateFraction(1.0f);
    EXPECT_EQ(menu.mAlpha, 0.0f);
    EXPECT_EQ(menu.mFadeState, FADE_IDLE);
    EXPECT_TRUE(menu.mVisible);
}

TEST_F(Menus, AFadedOutMenuThatAsksToGoLeavesItsOwnersManagerAndIsDeletedLater)
{
    app.Manager().AddChild(&screen);
    auto* menu = new NotedMenu(&log);
    menu->mOwner = &screen;
    menu->mRemoveWhenFaded = true;
    app.Manager().AddChild(menu);
    menu->mFadeState = FADE_OUT;
    menu->mAlpha = 3.0f;
    menu->UpdateFraction(1.0f);
    EXPECT_EQ(TakeLog(log), "");
    menu->UpdateFraction(1.0f);
    EXPECT_EQ(TakeLog(log), "before remove (in tree) | removed (out of tree)");
    EXPECT_FALSE(app.Manager().HasChild(menu));
    app.FlushDeletes();
    EXPECT_EQ(TakeLog(log), "menu deleted");
    app.Manager().RemoveChild(&screen);
}

TEST_F(Menus, AFadedOutMenuElsewhereIsStillDeletedButLeftWhereItIs)
{
    auto* menu = new NotedMenu(&log);
    menu->mRemoveWhenFaded = true;
    menu->mFadeState = FADE_OUT;
    menu->mAlpha = 0.0f;
    menu->UpdateFraction(1.0f);
    EXPECT_EQ(TakeLog(log), "before remove (out of tree) | removed (out of tree)");
    app.FlushDeletes();
    EXPECT_EQ(TakeLog(log), "menu deleted");
}

TEST_F(Menus, OwnedWidgetsLeaveWithTheMenuAndAreDeletedLater)
{
    BasicMenu menu;
    auto* first = new NotedWidget("first", &log);
    auto* second = new NotedWidget("second", &log);
    NotedWidget referred("referred", &log);
    menu.mOwnedWidgets = {first, nullptr, second};
    menu.mWidgets = {&referred};
    app.Manager().AddChild(&menu);
    EXPECT_EQ(menu.mManager, &app.Manager());
    app.Manager().AddChild(first);
    app.Manager().AddChild(second);
    app.Manager().AddChild(&referred);

    app.Manager().RemoveChild(&menu);
    EXPECT_FALSE(app.Manager().HasChild(first));
    EXPECT_FALSE(app.Manager().HasChild(second));
    EXPECT_TRUE(app.Manager().HasChild(&referred));
    EXPECT_EQ(menu.mOwnedWidgets, (std::vector<Quib::Widget*>{nullptr, nullptr, nullptr}));
    EXPECT_EQ(TakeLog(log), "");
    app.FlushDeletes();
    EXPECT_EQ(TakeLog(log), "first deleted | second deleted");
    app.Manager().RemoveChild(&referred);
}

TEST_F(Menus, ADeletedMenuHandsItsOwnedWidgetsToTheDeferredDeletion)
{
    {
        BasicMenu menu;
        app.Manager().AddChild(&menu);
        auto* shown = new NotedWidget("shown", &log);
        app.Manager().AddChild(shown);
        menu.mOwnedWidgets = {new NotedWidget("never attached", &log), shown};
    }
    EXPECT_TRUE(app.Manager().mChildren.empty());
    EXPECT_EQ(TakeLog(log), "");
    app.FlushDeletes();
    EXPECT_EQ(TakeLog(log), "never attached deleted | shown deleted");
}

TEST_F(Menus, DrawsItsBackgroundWithItsAlpha)
{
    BasicMenu menu;
    menu.Resize(10, 10, 30, 30);
    app.Manager().AddChild(&menu);
    app.DrawFrame();
    EXPECT_EQ(app.Pixel(15, 15), 0xFF000000);
    auto background = PlainPicture(20, 20, 0xFF00FF00);
    menu.mBackground = background.get();
    menu.mAlpha = 255.0f;
    app.DrawFrame();
    // Tinted drawing scales by up to one step.
    EXPECT_NEAR(int(app.Pixel(15, 15) >> 8 & 0xFF), 0xFF, 1);
    EXPECT_EQ(app.Pixel(30, 30), 0xFF000000);
    menu.mAlpha = 0.0f;
    app.DrawFrame();
    EXPECT_EQ(app.Pixel(15, 15), 0xFF000000);
    app.Manager().RemoveChild(&menu);
}

} // namespace
