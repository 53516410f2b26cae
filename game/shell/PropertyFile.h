#pragma once

#include <functional>
#include <string>

// Reads a property file of the game's XML form: every element directly inside
// the top-level `Strings` element is one entry, its name the key and its
// attribute `value` (or the attribute named) the value (empty when missing). Deeper elements, text,
// comments and instructions are ignored; entries read before a reading error
// are kept. False only when the file cannot be opened.
bool ReadPropertyFile(const std::string& fileName,
                      const std::function<void(const std::string& key, const std::string& value)>& entry,
                      const std::string& attribute = "value");
