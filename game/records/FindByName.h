#pragma once

#include <algorithm>
#include <functional>
#include <string>

// The first entry whose name (the member nameOf points to) equals name
// exactly; null when there is none. Records are looked up case-sensitively.
template <typename Entries, typename NameMember>
auto FindByName(Entries& entries, const std::string& name, NameMember nameOf) -> decltype(&*entries.begin())
{
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const auto& entry) { return std::invoke(nameOf, entry) == name; });
    return found == entries.end() ? nullptr : &*found;
}
