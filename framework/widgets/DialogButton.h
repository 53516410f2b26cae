#pragma once

#include "framework/widgets/ButtonWidget.h"

namespace Quib
{

// A button of the framework's dialog box, optionally drawn from a component
// image cut into nine patches.
class DialogButton : public ButtonWidget
{
public:
    DialogButton(int id, ButtonListener* listener);

    void Draw(Graphics* g) override;

    Image* mComponentImage = nullptr;
    int mTranslateX = 1;
    int mTranslateY = 1;
    int mTextOffsetX = 0;
    int mTextOffsetY = 0;
};

} // namespace Quib
