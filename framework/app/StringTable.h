#pragma once

#include "framework/foundation/Strings.h"

#include <map>
#include <string>

namespace Quib
{

// The texts the framework itself shows, by key, so that a game can replace
// them. Every call site carries its own default for a key not in the table.
class StringTable
{
public:
    // Holds the framework's built-in dialog texts.
    StringTable();

    // The stored text as narrow text, or the default when the key is absent.
    std::string LookupString(const std::string& key, const std::string& defaultText) const;
    // Inserts the pair; an existing key gets the new text.
    void StoreString(const std::wstring& text, const std::string& key);

    const std::map<std::string, std::wstring, LessNoCase>& Entries() const { return mEntries; }

private:
    std::map<std::string, std::wstring, LessNoCase> mEntries;
};

} // namespace Quib
