#pragma once

#include "framework/resources/XMLItem.h"

#include <cstdint>
#include <string>
#include <vector>

struct PakFile;

namespace Quib
{

// A pull reader for the framework's and the game's small XML files, read
// through the archive-aware file functions. Forgiving where stored files are
// loose (unquoted attribute values, folded white space), strict where nesting
// is concerned. Errors are kept as text; callers add the line and file name.
class XMLParser
{
public:
    XMLParser();
    virtual ~XMLParser();
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    bool OpenDocument(const std::string& name);
    // False at the end of the document (HasFailed() clear) or on an error. The
    // parser is not blocked by an error: a further read goes on after it.
    bool ReadItem(XMLItem* item);

    bool HasFailed() const { return mHasFailed; }
    std::string GetErrorMessage() const { return mErrorText; }
    int32_t GetLineNumber() const { return mLineNumber; }
    std::string GetDocumentName() const { return mDocumentName; }

private:
    using CharReader = bool (XMLParser::*)(char16_t& character, bool& invalid);

    struct ScanState;
    enum class Step
    {
        More,
        Complete,
        Failed
    };

    void RecordError(const std::string& text);
    void ResetState();
    void CloseFile();

    bool ReadByteChar(char16_t& character, bool& invalid);
    bool ReadUtf8Char(char16_t& character, bool& invalid);
    bool ReadUtf16Char(char16_t& character, bool& invalid);
    bool ReadUtf16Unit(char16_t& unit);
    bool NextChar(char16_t& character, bool& invalid);

    Step ScanChar(XMLItem* item, ScanState& state, char16_t character);
    void OrdinaryChar(XMLItem* item, ScanState& state, char16_t character);
    void CommitAttribute(XMLItem* item, ScanState& state);
    Step CloseStartTag(XMLItem* item, ScanState& state);
    Step CloseEndTag(XMLItem* item);

    std::string mDocumentName;
    std::string mErrorText;
    int32_t mLineNumber = 0;
    PakFile* mFile = nullptr;
    bool mHasFailed = false;
    bool mKeepComments = false;
    std::vector<char16_t> mPushedBack; // last pushed, first read
    std::string mSectionPath;
    CharReader mGetChar = &XMLParser::ReadUtf8Char;
    bool mFixedReader = false;
    bool mStartOfStream = false;
    bool mByteSwap = false;
};

} // namespace Quib
