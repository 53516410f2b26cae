#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/ListListener.h"
#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/SliderListener.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

class PressCounter : public Quib::ButtonListener
{
public:
    void OnButtonPressed(int id) override { mPressed.push_back(id); }
    std::vector<int> mPressed;
};

TEST(Listeners, ButtonDownForwardsToPressedWhateverTheClickCount)
{
    PressCounter listener;
    Quib::ButtonListener& asBase = listener;
    asBase.OnButtonDown(7, 1);
    asBase.OnButtonDown(8, 2);
    asBase.OnButtonReleased(9);
    asBase.OnButtonMouseMove(9, 1, 2);
    EXPECT_EQ(listener.mPressed, (std::vector<int>{7, 8}));
}

TEST(Listeners, DefaultsAcceptEverythingAndDoNothing)
{
    // Every interface can be used as it is; the edit filters let all input through.
    struct All : Quib::ButtonListener,
                 Quib::CheckboxListener,
                 Quib::SliderListener,
                 Quib::ScrollListener,
                 Quib::ListListener,
                 Quib::EditListener,
                 Quib::DialogListener
    {
    } all;
    all.OnCheckboxToggled(1, true);
    all.OnSliderValue(1, 0.5);
    all.OnScroll(1, 3.0);
    all.OnListClick(1, 0, 1);
    all.OnListClosed(1);
    all.OnListHighlightChanged(1, -1, 2);
    all.OnDialogButtonPressed(1, 1000);
    all.OnDialogButtonReleased(1, 1001);
    all.OnEditReturn(1, "text");
    EXPECT_TRUE(all.AcceptsKey(1, 0x5A));
    EXPECT_TRUE(all.AcceptsChar(1, '\xFF'));
    EXPECT_TRUE(all.AcceptsText(1, ""));
}

} // namespace
