#pragma once

namespace Quib
{

class CheckboxListener
{
public:
    virtual ~CheckboxListener() = default;

    virtual void OnCheckboxToggled(int /*id*/, bool /*ticked*/) {}
};

} // namespace Quib
