#pragma once

#include "tools/contentgen/ResourceTable.h"

#include <string>

namespace resourceids
{

// The fetch function of a group: "MG_PuzzleEN" becomes FetchGroupMgPuzzleEN
// (an all-capital word is capitalised, any other keeps its letters).
std::string fetchFunctionName(const std::string& group);

// The header and the source of the generated identifiers, as text.
std::string headerText(const contentgen::ResourceTable& table);
std::string sourceText(const contentgen::ResourceTable& table);

} // namespace resourceids
