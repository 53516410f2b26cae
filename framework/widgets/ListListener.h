#pragma once

namespace Quib
{

class ListListener
{
public:
    virtual ~ListListener() = default;

    virtual void OnListClick(int /*id*/, int /*lineIndex*/, int /*clickCount*/) {}
    virtual void OnListClosed(int /*id*/) {}
    // Either index is -1 when no line is highlighted.
    virtual void OnListHighlightChanged(int /*id*/, int /*oldIndex*/, int /*newIndex*/) {}
};

} // namespace Quib
