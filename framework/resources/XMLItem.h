#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace Quib
{

enum XMLItemKind : int32_t
{
    XML_ITEM_NONE = 0,
    XML_ITEM_START = 1,
    XML_ITEM_END = 2,
    XML_ITEM_TEXT = 3,
    XML_ITEM_INSTRUCTION = 4,
    XML_ITEM_COMMENT = 5
};

// One item read by XMLParser. The caller owns it and usually passes the same
// item to every read.
struct XMLItem
{
    int32_t mKind = XML_ITEM_NONE;
    // The names of the enclosing elements joined by "/"; an end tag's path
    // still includes the element it closes.
    std::string mSectionPath;
    // Element name, text, instruction target, or "!--" for a comment.
    std::string mValue;
    // An instruction's text after its target, or a comment's text; entities not decoded.
    std::string mBody;
    std::map<std::string, std::string> mAttributes;

    void SetAttribute(const std::string& name, const std::string& value) { mAttributes[name] = value; }
};

} // namespace Quib
