#include "framework/widgets/ListWidget.h"

#include "framework/widgets/ListListener.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

struct ListLog : ListListener
{
    explicit ListLog(std::string name) : mName(std::move(name)) {}
    void OnListClick(int, int line, int count) override
    {
        events.push_back(mName + " click " + std::to_string(line) + "/" + std::to_string(count));
    }
    void OnListClosed(int) override { events.push_back(mName + " closed"); }
    void OnListHighlightChanged(int, int from, int to) override
    {
        events.push_back(mName + " hilite " + std::to_string(from) + ">" + std::to_string(to));
    }
    std::string mName;
    std::vector<std::string> events;
};

std::string Lines(const ListWidget& list)
{
    std::string out;
    for (const std::string& line : list.mLines)
        out += (out.empty() ? "" : ",") + line;
    return out;
}

struct Lists : ::testing::Test
{
    Lists()
    {
        first.mChildList = &second;
        second.mParentList = &first;
        first.Resize(0, 0, 50, 108);
        second.Resize(50, 0, 50, 108);
    }
    FakeFont font; // height 10
    ListLog firstLog{"L1"}, secondLog{"L2"};
    Screen screen;
    WidgetManager& manager = screen.mManager;
    ListWidget first{&font, &firstLog};
    ListWidget second{&font, &secondLog};
};

TEST_F(Lists, SortedInsertionIsByteWise)
{
    ListWidget list(&font, nullptr);
    list.AddLine("b", false);
    list.AddLine("a", true);
    list.AddLine("c", true);
    EXPECT_EQ(Lines(list), "a,b,c");
    EXPECT_EQ(list.AddLine("B", true), 0);
    EXPECT_EQ(Lines(list), "B,a,b,c");
    EXPECT_EQ(list.FindLine("b"), 2);
    EXPECT_EQ(list.FindLine("z"), -1);
}

TEST_F(Lists, ColumnsStayAligned)
{
    second.AddLine("x", false);
    second.AddLine("y", false);
    first.SetLineText(1, "one");
    EXPECT_EQ(Lines(first), "-,one");
    EXPECT_EQ(Lines(second), "x,y");
    second.SetLineColor(1, Color(1, 2, 3));
    EXPECT_EQ(first.mLineColors[1], Color(1, 2, 3));
    second.SetLineColor(7, Color(9, 9, 9)); // ignored
    second.SetSelection(0);
    EXPECT_EQ(first.mSelectIdx, 0);
    first.RemoveLine(0);
    EXPECT_EQ(Lines(first), "one");
    EXPECT_EQ(Lines(second), "y");
    first.RemoveLine(-1);
    first.RemoveLine(5);
    EXPECT_EQ(first.GetLineCount(), 1);
    first.RemoveAllLines();
    EXPECT_EQ(second.GetLineCount(), 0);
    EXPECT_EQ(second.mSelectIdx, -1);
}

TEST_F(Lists, SortKeysPadNumbersAndJoinColumns)
{
    ListWidget list(&font, nullptr);
    for (const char* line : {"7", "12", "100"})
        list.AddLine(line, false);
    list.SortLines(true);
    EXPECT_EQ(Lines(list), "100,12,7");
    list.mMaxNumericPlaces = 3;
    list.SortLines(true);
    EXPECT_EQ(Lines(list), "7,12,100");
    list.SortLines(false);
    EXPECT_EQ(Lines(list), "100,12,7");

    // Sorting on the first column carries the second along; equal keys keep their order.
    first.AddLine("b", false);
    first.AddLine("a", false);
    first.AddLine("a", false);
    second.SetLineText(0, "1");
    second.SetLineText(1, "3");
    second.SetLineText(2, "2");
    first.SortLines(true);
    EXPECT_EQ(Lines(first), "a,a,b");
    EXPECT_EQ(Lines(second), "2,3,1");
    first.mSortFromChild = true;
    first.SortLines(true);
    EXPECT_EQ(Lines(second), "1,2,3");
}

TEST_F(Lists, HighlightFollowsTheMouseInEveryColumn)
{
    manager.AddChild(&first);
    manager.AddChild(&second);
    for (const char* line : {"a", "b", "c"})
        first.AddLine(line, false);
    manager.HandleMouseMove(10, 4 + 2 * 10 + 3); // line 2
    EXPECT_EQ(Join(firstLog.events), "L1 hilite -1>2");
    EXPECT_EQ(Join(secondLog.events), "L2 hilite -1>2");
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_HAND);
    manager.HandleMouseMove(12, 4 + 2 * 10 + 5);
    EXPECT_EQ(firstLog.events.size(), 1u);

    manager.HandleMouseDown(12, 29, CLICK_LEFT_DOUBLE);
    EXPECT_EQ(firstLog.events.back(), "L1 click 2/2");
    manager.HandleMouseUp(12, 29, CLICK_LEFT);

    manager.HandleMouseMove(10, 80); // below the last line
    EXPECT_EQ(firstLog.events.back(), "L1 hilite 2>-1");
    manager.HandleMouseDown(10, 80, CLICK_LEFT); // nothing highlighted: no click
    EXPECT_EQ(firstLog.events.back(), "L1 hilite 2>-1");
    manager.HandleMouseUp(10, 80, CLICK_LEFT);

    manager.RemoveChild(&first);
    EXPECT_EQ(firstLog.events.back(), "L1 closed");
}

// The line under the mouse is truncated toward zero: the four pixels of margin
// above the first line belong to it, also when the list is scrolled.
TEST_F(Lists, TopMarginHighlightsTheFirstVisibleLine)
{
    manager.AddChild(&first);
    for (const char* line : {"a", "b", "c"})
        first.AddLine(line, false);
    for (int y : {0, 3})
    {
        first.OnMouseMove(10, y);
        EXPECT_EQ(first.mHiliteIdx, 0) << y;
        first.OnMouseLeave();
    }
    first.OnMouseMove(10, -7);
    EXPECT_EQ(first.mHiliteIdx, -1) << "-1.1 truncates to -1";
    first.mPosition = 0.5;
    first.OnMouseMove(10, 0);
    EXPECT_EQ(first.mHiliteIdx, 0) << "-0.4 + 0.5";
    manager.RemoveChild(&first);
}

TEST_F(Lists, PageSizeAndWheelDriveTheScrollBar)
{
    ScrollbarWidget bar(&first);
    first.mScrollbar = &bar;
    first.Resize(0, 0, 50, 108);
    EXPECT_DOUBLE_EQ(first.mPageSize, 10.0);
    EXPECT_DOUBLE_EQ(bar.mPageSize, 10.0);
    for (int i = 0; i < 30; ++i)
        first.AddLine(std::to_string(i), false);
    EXPECT_DOUBLE_EQ(bar.mMaxValue, 30);
    bar.SetValue(10);
    first.OnMouseWheel(1);
    EXPECT_DOUBLE_EQ(bar.mValue, 5);
    EXPECT_DOUBLE_EQ(first.mPosition, 5);
    EXPECT_DOUBLE_EQ(second.mPosition, 5);
    first.OnMouseWheel(-1);
    EXPECT_DOUBLE_EQ(bar.mValue, 10);
    first.OnMouseWheel(0);
    EXPECT_DOUBLE_EQ(bar.mValue, 10);

    ListWidget twenty(&font, nullptr);
    twenty.mItemHeight = 20;
    twenty.Resize(0, 0, 10, 108);
    EXPECT_DOUBLE_EQ(twenty.mPageSize, 5.0);
    twenty.Resize(0, 0, 10, 20);
    EXPECT_DOUBLE_EQ(twenty.mPageSize, 1.0);
}

TEST_F(Lists, SelectedAndHighlightedLinesAreDrawnInTheirColours)
{
    manager.AddChild(&first);
    first.AddLine("a", false);
    first.AddLine("b", false);
    first.SetSelection(1);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(0, 0), 0xFFFFFFFFu);   // outline
    EXPECT_EQ(screen.Pixel(5, 6), 0xFF000000u);   // line 0 text
    EXPECT_EQ(screen.Pixel(30, 16), 0xFF000080u); // selection bar
    EXPECT_EQ(screen.Pixel(5, 16), 0xFFFFFFFFu);  // selected text
    EXPECT_EQ(screen.Pixel(30, 30), 0xFFFFFFFFu); // background
}

TEST_F(Lists, ColumnsAndScrollBarStayInFrontOfTheList)
{
    ScrollbarWidget bar(&first);
    first.mScrollbar = &bar;
    RecordingWidget other("O", nullptr);
    manager.AddChild(&first);
    manager.AddChild(&second);
    manager.AddChild(&bar);
    manager.AddChild(&other);
    manager.MoveToFront(&first);
    std::vector<Widget*> order(manager.GetChildren().begin(), manager.GetChildren().end());
    EXPECT_EQ(order, (std::vector<Widget*>{&other, &first, &bar, &second}));
    manager.RemoveChild(&other);
}

TEST_F(Lists, OutOfRangeIndexesAreRefused)
{
    first.AddLine("a", false);
    EXPECT_EQ(first.GetLineText(-3), "");
    EXPECT_EQ(first.GetLineText(1), "");
    first.SetLineText(4, "x");
    first.SetLineColorByText("nothing", Color(1, 1, 1));
    EXPECT_EQ(Lines(first), "a");
    EXPECT_EQ(first.GetOptimalWidth(), 6 + 16);
    EXPECT_EQ(first.GetOptimalHeight(), 10 + 8);
}

} // namespace
