#include "game/shell/PropertyFile.h"

#include "framework/resources/XMLParser.h"

bool ReadPropertyFile(const std::string& fileName,
                      const std::function<void(const std::string& key, const std::string& value)>& entry,
                      const std::string& attribute)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(fileName))
        return false;
    Quib::XMLItem item;
    while (parser.ReadItem(&item))
    {
        if (item.mKind != Quib::XML_ITEM_START || item.mSectionPath != "Strings")
            continue;
        const auto value = item.mAttributes.find(attribute);
        entry(item.mValue, value == item.mAttributes.end() ? std::string() : value->second);
    }
    return true;
}
