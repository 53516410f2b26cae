#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/Slider.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/support/GoldenImage.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

void Fill(MemoryImage& image, int width, int height, uint32_t argb)
{
    image.Create(width, height);
    uint32_t* bits = image.GetBits();
    for (int i = 0; i < width * height; ++i)
        bits[i] = argb;
    image.MarkBitsChanged();
}

// One of each control in its typical states, drawn by the manager in one frame.
TEST(ControlsGolden, EveryControlDrawsAsBefore)
{
    FakeWidgetHost host;
    MemoryImage screen;
    Fill(screen, 240, 160, 0xFF203050);
    WidgetManager manager(&host);
    manager.mDrawImage = &screen;
    manager.SetMouseMapping(Rect(0, 0, 240, 160), Rect(0, 0, 240, 160));
    FakeFont font;

    ButtonWidget normal(1, nullptr), pressed(2, nullptr);
    for (ButtonWidget* button : {&normal, &pressed})
    {
        button->SetFont(&font);
        button->mLabel = "OK";
        manager.AddChild(button);
    }
    normal.Resize(5, 5, 60, 20);
    pressed.Resize(70, 5, 60, 20);

    Checkbox ticked(nullptr, nullptr, 3, nullptr), unticked(nullptr, nullptr, 4, nullptr);
    ticked.Resize(140, 8, 12, 12);
    unticked.Resize(160, 8, 12, 12);
    ticked.SetChecked(true, false);
    manager.AddChild(&ticked);
    manager.AddChild(&unticked);

    ScrollbarWidget bar(nullptr);
    bar.SetHorizontal(true);
    bar.ResizeScrollbar(5, 35, 150, 16);
    bar.SetMaximum(100);
    bar.SetPageSize(25);
    bar.SetValue(50);
    manager.AddChild(&bar);

    MemoryImage track, thumb;
    Fill(track, 15, 4, 0xFFA0A0A0);
    Fill(thumb, 8, 12, 0xFFF0C040);
    Slider slider(&track, &thumb, 5, nullptr);
    slider.Resize(5, 60, 100, 12);
    slider.SetValue(0.5);
    manager.AddChild(&slider);

    ListWidget list(&font, nullptr);
    for (const char* line : {"ab", "cd", "ef", "gh", "ij"})
        list.AddLine(line, false);
    list.Resize(5, 80, 100, 60);
    list.SetSelection(1);
    manager.AddChild(&list);

    EditWidget edit(6, nullptr);
    edit.SetFont(&font);
    edit.Resize(120, 80, 110, 20);
    edit.SetText("hello");
    manager.AddChild(&edit);
    manager.SetFocusWidget(&edit);

    Dialog dialog(7, false, "Hi", "x y", "", DIALOG_MODE_NONE);
    dialog.SetHeaderFont(&font);
    dialog.SetLinesFont(&font);
    dialog.mBackgroundInsets = EdgeInsets(16, 16, 16, 16);
    dialog.Resize(120, 105, 115, 52);
    manager.AddChild(&dialog);

    manager.HandleMouseMove(80, 10);
    manager.HandleMouseDown(80, 10, CLICK_LEFT);
    manager.DrawDirtyWidgets();
    EXPECT_TRUE(testsupport::MatchesGolden(screen, "widgets/controls.png"));
    manager.HandleMouseUp(80, 10, CLICK_LEFT);
}

} // namespace
