#include "framework/app/StringTable.h"

namespace Quib
{

StringTable::StringTable()
{
    StoreString(L"OK", "DIALOG_BUTTON_OK");
    StoreString(L"CANCEL", "DIALOG_BUTTON_CANCEL");
    StoreString(L"Update Check", "UPDATE_CHECK_TITLE");
    StoreString(L"Checking if there are any updates available for this product ...", "UPDATE_CHECK_BODY");
    StoreString(L"Up to Date", "UP_TO_DATE_TITLE");
    StoreString(L"There are no updates available for this product at this time.", "UP_TO_DATE_BODY");
    StoreString(L"New Version", "NEW_VERSION_TITLE");
    StoreString(L"There is an update available for this product.  Would you like to visit the web site to "
                L"download it?",
                "NEW_VERSION_BODY");
}

std::string StringTable::LookupString(const std::string& key, const std::string& defaultText) const
{
    const auto it = mEntries.find(key);
    if (it == mEntries.end())
        return defaultText;
    return NarrowString(it->second);
}

void StringTable::StoreString(const std::wstring& text, const std::string& key)
{
    mEntries[key] = text;
}

} // namespace Quib
