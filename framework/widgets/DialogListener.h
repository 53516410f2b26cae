#pragma once

namespace Quib
{

class DialogListener
{
public:
    virtual ~DialogListener() = default;

    virtual void OnDialogButtonPressed(int /*dialogId*/, int /*buttonId*/) {}
    virtual void OnDialogButtonReleased(int /*dialogId*/, int /*buttonId*/) {}
};

} // namespace Quib
