#pragma once

#include <string>

namespace Quib
{

// The three filters let a listener veto input; by default everything is accepted.
class EditListener
{
public:
    virtual ~EditListener() = default;

    virtual void OnEditReturn(int /*id*/, const std::string& /*text*/) {}
    // Asked before a key-down is handled.
    virtual bool AcceptsKey(int /*id*/, int /*keyCode*/) { return true; }
    // Asked before a printable character is inserted.
    virtual bool AcceptsChar(int /*id*/, char /*character*/) { return true; }
    // Asked after each change; false makes the field restore its previous text.
    virtual bool AcceptsText(int /*id*/, const std::string& /*text*/) { return true; }
};

} // namespace Quib
