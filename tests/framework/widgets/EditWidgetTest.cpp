#include "framework/widgets/EditWidget.h"

#include "framework/widgets/EditListener.h"
#include "platform/VirtualKeys.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

struct EditLog : EditListener
{
    void OnEditReturn(int, const std::string& text) override { returns.push_back(text); }
    bool AcceptsKey(int, int key) override
    {
        keys.push_back(key);
        return true;
    }
    bool AcceptsChar(int, char c) override { return refusedChars.find(c) == std::string::npos; }
    bool AcceptsText(int, const std::string& text) override { return text != refusedText; }
    std::vector<std::string> returns;
    std::vector<int> keys;
    std::string refusedChars;
    std::string refusedText = "\x01";
};

struct Edit : ::testing::Test
{
    Edit()
    {
        FakeFont font;
        font.mGlyphless = "\x7f";
        edit.SetFont(&font);
        edit.Resize(0, 0, 100, 20);
        manager.AddChild(&edit);
        manager.SetFocusWidget(&edit);
    }

    void Type(const std::string& text)
    {
        for (char c : text)
            manager.HandleChar(static_cast<unsigned char>(c));
    }
    void Key(uint32_t key)
    {
        manager.HandleKeyDown(int(key));
        manager.HandleKeyUp(int(key));
    }
    void Ctrl(char letter)
    {
        manager.HandleKeyDown(int(platform::VK_CONTROL));
        manager.HandleKeyDown(letter);
        manager.HandleChar(letter - 'A' + 1);
        manager.HandleKeyUp(letter);
        manager.HandleKeyUp(int(platform::VK_CONTROL));
    }
    std::string Selected() const
    {
        if (edit.mHilitePos == -1)
            return "";
        int from = std::min(edit.mHilitePos, edit.mCursorPos);
        int to = std::max(edit.mHilitePos, edit.mCursorPos);
        return edit.mString.substr(size_t(from), size_t(to - from));
    }

    EditLog listener;
    Screen screen;
    WidgetManager& manager = screen.mManager;
    EditWidget edit{9, &listener};
};

TEST_F(Edit, SetTextSelectsEverythingAndTypingReplacesIt)
{
    edit.SetText("abc");
    EXPECT_EQ(edit.mCursorPos, 3);
    EXPECT_EQ(Selected(), "abc");
    Type("x");
    EXPECT_EQ(edit.mString, "x");
    EXPECT_EQ(edit.mCursorPos, 1);
    EXPECT_EQ(edit.mHilitePos, -1);
}

TEST_F(Edit, TypedRunIsOneUndoStepAndUndoAgainRedoes)
{
    Type("hello");
    EXPECT_EQ(edit.mString, "hello");
    Ctrl('Z');
    EXPECT_EQ(edit.mString, "");
    Ctrl('Z');
    EXPECT_EQ(edit.mString, "hello");

    // A run of deletions is one step as well.
    Key(platform::VK_BACK);
    Key(platform::VK_BACK);
    EXPECT_EQ(edit.mString, "hel");
    Ctrl('Z');
    EXPECT_EQ(edit.mString, "hello");
}

TEST_F(Edit, CursorKeysAndShiftSelection)
{
    Type("ab cd");
    Key(platform::VK_HOME);
    EXPECT_EQ(edit.mCursorPos, 0);
    manager.HandleKeyDown(int(platform::VK_CONTROL));
    Key(platform::VK_RIGHT);
    EXPECT_EQ(edit.mCursorPos, 3);
    Key(platform::VK_END);
    Key(platform::VK_LEFT);
    EXPECT_EQ(edit.mCursorPos, 3);
    manager.HandleKeyUp(int(platform::VK_CONTROL));

    manager.HandleKeyDown(int(platform::VK_SHIFT));
    Key(platform::VK_RIGHT);
    Key(platform::VK_RIGHT);
    manager.HandleKeyUp(int(platform::VK_SHIFT));
    EXPECT_EQ(Selected(), "cd");
    Key(platform::VK_LEFT); // to the start of the selection
    EXPECT_EQ(edit.mCursorPos, 3);
    EXPECT_EQ(edit.mHilitePos, -1);
    Key(platform::VK_LEFT);
    Key(platform::VK_LEFT);
    Key(platform::VK_LEFT);
    Key(platform::VK_LEFT);
    EXPECT_EQ(edit.mCursorPos, 0);
    Key(platform::VK_DELETE);
    EXPECT_EQ(edit.mString, "b cd");
}

TEST_F(Edit, ClipboardKeys)
{
    Type("one two");
    manager.HandleKeyDown(int(platform::VK_SHIFT));
    Key(platform::VK_LEFT);
    Key(platform::VK_LEFT);
    Key(platform::VK_LEFT);
    manager.HandleKeyUp(int(platform::VK_SHIFT));
    Ctrl('C');
    EXPECT_EQ(screen.mHost.mClipboard, "two");
    EXPECT_EQ(Selected(), "two");
    Ctrl('X');
    EXPECT_EQ(edit.mString, "one ");
    EXPECT_EQ(edit.mHilitePos, -1);
    Key(platform::VK_HOME);
    Ctrl('V');
    EXPECT_EQ(edit.mString, "twoone ");
    EXPECT_EQ(edit.mCursorPos, 3);

    // Pasting stops at a line break and drops characters the font or listener refuses.
    listener.refusedChars = "q";
    screen.mHost.mClipboard = "x\x7fq y\r\nzz";
    Ctrl('V');
    EXPECT_EQ(edit.mString, "twox yone ");
    screen.mHost.mClipboard = "ab\ncd";
    Key(platform::VK_END);
    Ctrl('V');
    EXPECT_EQ(edit.mString, "twox yone ab");
}

TEST_F(Edit, PasswordFieldCopiesOnlyMaskCharacters)
{
    edit.mPasswordChar = '*';
    edit.SetText("secret");
    Ctrl('C');
    EXPECT_EQ(screen.mHost.mClipboard, "******");
    EXPECT_EQ(edit.GetDisplayText(), "******");
}

TEST_F(Edit, LimitsCutTheTextFromTheEnd)
{
    edit.mMaxChars = 5;
    Type("abcdef");
    EXPECT_EQ(edit.mString, "abcde");
    EXPECT_EQ(edit.mCursorPos, 5);

    edit.mMaxChars = -1;
    edit.SetText("");
    edit.mMaxPixels = 20; // three characters of 6 pixels
    Type("abcd");
    EXPECT_EQ(edit.mString, "abc");

    FakeFont wide;
    edit.mMaxPixels = -1;
    edit.AddWidthFont(&wide, 12);
    Type("z");
    EXPECT_EQ(edit.mString, "ab");
}

TEST_F(Edit, CharactersAreFilteredByRangeFontAndListener)
{
    listener.refusedChars = "b";
    Type(std::string("a\x1f") + "b\x7f" + "c\xe9");
    EXPECT_EQ(edit.mString, "ac");
    screen.mHost.mHighCharacters = true;
    Type("\xe9");
    EXPECT_EQ(edit.mString, "ac\xe9");
    listener.refusedText = "ac\xe9!";
    Type("!"); // the listener refuses the result: everything is put back
    EXPECT_EQ(edit.mString, "ac\xe9");
    EXPECT_EQ(edit.mCursorPos, 3);
}

TEST_F(Edit, LetterKeysOtherThanZNeverReachTheKeyFilter)
{
    for (int key = 'A'; key <= 'Z'; ++key)
        Key(uint32_t(key));
    Key(platform::VK_RETURN);
    EXPECT_EQ(listener.keys, (std::vector<int>{'Z', int(platform::VK_RETURN)}));
    EXPECT_EQ(edit.mString, "");
    EXPECT_EQ(listener.returns, (std::vector<std::string>{""}));
}

TEST_F(Edit, MouseSelectsByPositionDragAndDoubleClick)
{
    Type("hello world");
    Key(platform::VK_HOME);
    // Position k is chosen from x 6k + 2 up to 6k + 7: past the middle of the
    // character before it, 5 pixels to the right.
    auto at = [](int k) { return 6 * k + 6; };
    manager.HandleMouseDown(at(2), 10, CLICK_LEFT);
    EXPECT_EQ(edit.mCursorPos, 2);
    EXPECT_EQ(edit.GetCharIndexAt(6 * 2 + 2, 0), 2);
    EXPECT_EQ(edit.GetCharIndexAt(6 * 2 + 1, 0), 1);
    EXPECT_EQ(edit.GetCharIndexAt(-50, 0), 0);
    manager.HandleMouseMove(at(4), 10);
    manager.HandleMouseUp(at(4), 10, CLICK_LEFT);
    EXPECT_EQ(Selected(), "ll");

    manager.HandleMouseDown(at(7), 10, CLICK_LEFT_DOUBLE);
    EXPECT_EQ(Selected(), "world");
    manager.HandleMouseUp(at(7), 10, CLICK_LEFT);
    EXPECT_EQ(Selected(), "world");
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_TEXT);
}

TEST_F(Edit, CaretBlinksOnlyWithTheFocus)
{
    EXPECT_TRUE(edit.mShowingCursor);
    for (int i = 0; i < 41; ++i)
        manager.UpdateWidgets();
    EXPECT_FALSE(edit.mShowingCursor);
    for (int i = 0; i < 41; ++i)
        manager.UpdateWidgets();
    EXPECT_TRUE(edit.mShowingCursor);
    manager.SetFocusWidget(nullptr);
    EXPECT_FALSE(edit.mShowingCursor);
    for (int i = 0; i < 100; ++i)
        manager.UpdateWidgets();
    EXPECT_FALSE(edit.mShowingCursor);
}

TEST_F(Edit, LongTextScrollsToKeepTheCursorInView)
{
    Type(std::string(40, 'x'));
    EXPECT_GT(edit.mLeftPos, 0);
    EXPECT_LT((edit.mCursorPos - edit.mLeftPos) * 6, 100 - 8);
    Key(platform::VK_HOME);
    EXPECT_EQ(edit.mLeftPos, 0);
}

TEST_F(Edit, TranslucentBackgroundRepaintsWhatLiesBehind)
{
    RecordingWidget back("B", nullptr);
    back.Resize(0, 0, 100, 100);
    manager.AddChild(&back);
    manager.MoveToBack(&back);
    manager.DrawDirtyWidgets();
    Type("a");
    EXPECT_FALSE(back.mDirty);
    manager.DrawDirtyWidgets();
    edit.SetColor(EditWidget::COLOR_BKG, Color(255, 255, 255, 128));
    manager.DrawDirtyWidgets();
    Type("b");
    EXPECT_TRUE(back.mDirty);
    manager.RemoveChild(&back);
}

TEST_F(Edit, SelectionIsDrawnInverted)
{
    edit.SetText("ab");
    manager.DrawDirtyWidgets();
    // Selection bar from x 4 to 16 in colour 3, its text in colour 4; outline in colour 1.
    EXPECT_EQ(screen.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(5, 10), 0xFFFFFFFFu);  // text over the bar
    EXPECT_EQ(screen.Pixel(9, 10), 0xFF000000u);  // bar between the glyphs
    EXPECT_EQ(screen.Pixel(30, 10), 0xFFFFFFFFu); // background
}

} // namespace
