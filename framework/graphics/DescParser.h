#pragma once

#include "framework/graphics/DataElement.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Quib
{

// Reads the command language of font descriptors: cuts a file into commands,
// turns each into a tree of values and hands it to the subclass that knows the
// commands. Names of defines are case-insensitive (kept upper-case).
class DescParser
{
public:
    enum
    {
        CMDSEP_SEMICOLON = 1,
        CMDSEP_NO_INDENT = 2
    };

    // Bounds on what one descriptor may make the parser build, so that a
    // hostile file fails with a message instead of exhausting the stack or memory.
    static constexpr uint64_t MAX_FILE_BYTES = 4u << 20;
    static constexpr int MAX_LIST_DEPTH = 64;
    static constexpr size_t MAX_LIST_ELEMENTS = 1u << 16;

    using DataElementMap = std::map<std::string, DataElement*>;

    DescParser();
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;

    virtual bool ReportError(const std::string& text);
    virtual DataElement* FindDefine(const std::string& name);
    virtual bool HandleCommand(ListDataElement* params) = 0;
    virtual ~DescParser();

    bool ParseFile(const std::string& fileName);
    // The same reading over text already in memory.
    bool ParseText(const std::string& text);
    bool HandleLine(const std::string& line);
    bool Tokenize(const std::string& text, ListDataElement* list, bool inner, size_t& pos);
    bool ResolveList(ListDataElement* source, ListDataElement* resolved);

    static bool IsLiteral(const std::string& text);
    static std::string Unquote(const std::string& text);

    bool ElementToString(DataElement* element, std::string& out);
    bool ElementToStringList(DataElement* element, std::vector<std::string>& out);
    bool ElementToList(DataElement* element, ListDataElement* out);
    bool ElementToInts(DataElement* element, std::vector<int32_t>& out);
    bool ElementToDoubles(DataElement* element, std::vector<double>& out);
    static std::string ElementToText(DataElement* element);

    int32_t mCmdSep;
    std::string mError;
    int32_t mCurrentLineNum;
    std::string mCurrentLine;
    DataElementMap mDefineMap;

protected:
    // Stores value under the upper-cased name, deleting an older value of that name.
    void SetDefine(const std::string& name, DataElement* value);

private:
    bool TokenizeLevel(const std::string& text, ListDataElement* list, bool inner, size_t& pos, int depth);
    bool ResolveLevel(ListDataElement* source, ListDataElement* resolved, int depth, size_t& count);
};

} // namespace Quib
