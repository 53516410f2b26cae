#pragma once

#include "framework/widgets/EditWidget.h"

// The name field of the player screens: its text always centred, a filled
// background, an outline, and characters that its listener refuses kept out
// before the edit processing sees them.
class CustomEditWidget : public Quib::EditWidget
{
public:
    using Quib::EditWidget::EditWidget;
    ~CustomEditWidget() override = default;

    void Draw(Quib::Graphics* g) override;
    void OnChar(char character) override;

private:
    // The text's x in the field: centred within the four-pixel margins.
    int TextX(const std::string& visible) const;
    int WidthUpTo(int index);
};
