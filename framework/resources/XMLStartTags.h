#pragma once

#include "framework/resources/XMLItem.h"

#include <string>

namespace Quib
{

class XMLParser;

// Most of the game's files are read as a flat run of start tags: their readers
// look at element names and attributes, never at text or nesting.

// Reads on to the next start tag at any depth, passing over every other item;
// false at the end of the document or at the first error.
bool ReadStartTag(XMLParser& parser, XMLItem& tag);
// Reads on past the first start tag of that name; false when the document ends
// or fails before one.
bool SkipPastStartTag(XMLParser& parser, const std::string& name);
// The attribute's text; empty when the tag has none of that name.
std::string AttributeText(const XMLItem& tag, const std::string& name);

} // namespace Quib
