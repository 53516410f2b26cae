#pragma once

#include "framework/resources/XMLItem.h"

#include <string>

// Attribute values of the mini-games' level files, read the way the files were
// written for: a decimal prefix, anything after it ignored, no value 0. Values
// beyond the 32-bit range saturate instead of overflowing.
int LevelInteger(const std::string& text);
// The attribute's integer, or the fallback when the attribute is missing.
int LevelAttribute(const Quib::XMLItem& item, const char* name, int fallback);
bool HasLevelAttribute(const Quib::XMLItem& item, const char* name);
