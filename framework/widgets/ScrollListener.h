#pragma once

namespace Quib
{

class ScrollListener
{
public:
    virtual ~ScrollListener() = default;

    virtual void OnScroll(int /*id*/, double /*position*/) {}
};

} // namespace Quib
