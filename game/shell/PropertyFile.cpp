#include "game/shell/PropertyFile.h"

#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"

bool ReadPropertyFile(const std::string& fileName,
                      const std::function<void(const std::string& key, const std::string& value)>& entry,
                      const std::string& attribute)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(fileName))
        return false;
    Quib::XMLItem item;
    while (Quib::ReadStartTag(parser, item))
        if (item.mSectionPath == "Strings")
            entry(item.mValue, Quib::AttributeText(item, attribute));
    return true;
}
