#include "framework/resources/XMLStartTags.h"

#include "framework/resources/XMLParser.h"

namespace Quib
{

bool ReadStartTag(XMLParser& parser, XMLItem& tag)
{
    while (parser.ReadItem(&tag))
        if (tag.mKind == XML_ITEM_START)
            return true;
    return false;
}

bool SkipPastStartTag(XMLParser& parser, const std::string& name)
{
    XMLItem tag;
    while (ReadStartTag(parser, tag))
        if (tag.mValue == name)
            return true;
    return false;
}

std::string AttributeText(const XMLItem& tag, const std::string& name)
{
    auto found = tag.mAttributes.find(name);
    return found == tag.mAttributes.end() ? std::string() : found->second;
}

} // namespace Quib
