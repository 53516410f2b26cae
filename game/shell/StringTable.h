#pragma once

#include <map>
#include <string>

// Every text the game shows, by key, from the localised property file.
class StringTable
{
public:
    static constexpr const char* kFileName = "properties/Strings.xml";

    // Created empty on the first call.
    static StringTable& GetInstance();
    // The program entry ends the table's life after the run loop.
    static void DeleteInstance();

    // Adds the file's entries; a key read twice keeps its later text. False
    // when the file cannot be opened: the caller decides what that means.
    bool Load(const std::string& fileName = kFileName);
    // A missing key reads "error::not found " and the key, so that it shows on screen.
    std::string Lookup(const std::string& key) const;
    bool Contains(const std::string& key) const { return mStrings.count(key) != 0; }
    void Set(const std::string& key, const std::string& text);

private:
    std::map<std::string, std::string> mStrings;
};

extern StringTable* gStringTable;
