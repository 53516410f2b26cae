#pragma once

#include <cstdint>

// Told the answer of a game dialog once its panel has slid out: result 0 for
// OK or YES, 1 for NO.
class CustomDialogListener
{
public:
    virtual ~CustomDialogListener() = default;
    virtual void OnDialogClosed(int32_t dialogId, int32_t result) = 0;
};
