#include "framework/resources/XMLParser.h"

#include "framework/files/PakFile.h"
#include "framework/resources/XMLEntities.h"

#include <cstdio>

namespace Quib
{

struct XMLParser::ScanState
{
    bool mPendingSpace = false;
    bool mInQuote = false;
    bool mQuoteClosed = false;
    bool mInAttributes = false;
    bool mAfterEquals = false;
    std::u16string mAttributeName;
    std::u16string mAttributeValue;
};

namespace
{

char Low8(char16_t character)
{
    return static_cast<char>(character & 0xFF);
}

// White space as the scanner sees it: judged on the low 8 bits only.
bool IsScanSpace(char16_t character)
{
    unsigned low = character & 0xFF;
    return low == ' ' || (low >= '\t' && low <= '\r');
}

bool IsWideSpace(char16_t character)
{
    return character == ' ' || (character >= '\t' && character <= '\r');
}

// Attribute names and values reach the item as 8-bit text only when every
// character fits in 8 bits; otherwise they arrive empty.
std::string Narrow(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t character : text)
    {
        if (character > 0xFF)
            return std::string();
        out += static_cast<char>(character);
    }
    return out;
}

} // namespace

XMLParser::XMLParser() = default;

XMLParser::~XMLParser()
{
    CloseFile();
}

void XMLParser::CloseFile()
{
    if (mFile)
    {
        PakFileClose(mFile);
        mFile = nullptr;
    }
}

void XMLParser::RecordError(const std::string& text)
{
    mHasFailed = true;
    mErrorText = text;
}

void XMLParser::ResetState()
{
    mSectionPath.clear();
    mLineNumber = 1;
    mHasFailed = false;
    mErrorText.clear();
    mStartOfStream = true;
    mByteSwap = false;
}

bool XMLParser::OpenDocument(const std::string& name)
{
    CloseFile();
    mFile = PakFileOpen(name, "r");
    if (!mFile)
    {
        mLineNumber = 0;
        RecordError("Unable to open file " + name);
        return false;
    }

    if (!mFixedReader)
    {
        PakFileSeek(mFile, 0, SEEK_END);
        long size = PakFileTell(mFile);
        PakFileSeek(mFile, 0, SEEK_SET);
        mGetChar = &XMLParser::ReadByteChar;
        uint8_t mark[3] = {};
        if (size >= 2)
        {
            if (PakFileRead(mark, 1, 2, mFile) == 2 &&
                ((mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF)))
                mGetChar = &XMLParser::ReadUtf16Char;
            PakFileSeek(mFile, 0, SEEK_SET);
        }
        if (mGetChar == &XMLParser::ReadByteChar && size >= 3)
        {
            if (PakFileRead(mark, 1, 3, mFile) == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)
                mGetChar = &XMLParser::ReadUtf8Char;
            PakFileSeek(mFile, 0, SEEK_SET);
        }
    }

    mDocumentName = name;
    ResetState();
    // Characters pushed back for the previous document must not leak into this one.
    mPushedBack.clear();
    return true;
}

bool XMLParser::ReadByteChar(char16_t& character, bool&)
{
    int byte = PakFileGetChar(mFile);
    if (byte < 0)
        return false;
    character = static_cast<char16_t>(byte);
    return true;
}

bool XMLParser::ReadUtf8Char(char16_t& character, bool& invalid)
{
    static constexpr unsigned kMasks[] = {0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
    for (;;)
    {
        int lead = PakFileGetChar(mFile);
        if (lead < 0)
            return false;
        if (lead < 0x80)
        {
            character = static_cast<char16_t>(lead);
            return true;
        }
        if ((lead & 0xC0) != 0xC0)
        {
            invalid = true;
            return false;
        }
        int continuations = -1;
        for (int i = 0; i < 5; ++i)
        {
            if ((lead & kMasks[i]) == ((kMasks[i] << 1) & kMasks[i]))
            {
                continuations = i;
                break;
            }
        }
        if (continuations <= 0)
        {
            invalid = true;
            return false;
        }
        uint32_t value = lead & ~kMasks[continuations] & 0xFF;
        int first = 0;
        for (int i = 0; i < continuations; ++i)
        {
            int next = PakFileGetChar(mFile);
            if (next < 0 || (next & 0xC0) != 0x80)
            {
                invalid = true;
                return false;
            }
            if (i == 0)
                first = next;
            value = (value << 6) | (next & 0x3F);
        }
        bool overlong = (continuations == 1 && (lead & 0x3E) == 0) ||
                        (continuations == 2 && (lead & 0x1F) == 0 && (first & 0x20) == 0) ||
                        (continuations == 3 && (lead & 0x0F) == 0 && (first & 0x30) == 0) ||
                        (continuations == 4 && (lead & 0x07) == 0 && (first & 0x38) == 0);
        if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF)
        {
            invalid = true;
            return false;
        }
        if (value == 0xFEFF && mStartOfStream)
        {
            mStartOfStream = false;
            continue;
        }
        character = static_cast<char16_t>(value & 0xFFFF);
        return true;
    }
}

bool XMLParser::ReadUtf16Unit(char16_t& unit)
{
    uint8_t bytes[2];
    if (PakFileRead(bytes, 2, 1, mFile) != 1)
        return false;
    unit = static_cast<char16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool XMLParser::ReadUtf16Char(char16_t& character, bool&)
{
    char16_t unit = 0;
    for (;;)
    {
        if (!ReadUtf16Unit(unit))
            return false;
        if (!mStartOfStream)
            break;
        mStartOfStream = false;
        if (unit == 0xFEFF)
            mByteSwap = false;
        else if (unit == 0xFFFE)
            mByteSwap = true;
        else
            break;
    }
    auto swapped = [this](char16_t value)
    { return mByteSwap ? static_cast<char16_t>((value >> 8) | (value << 8)) : value; };
    unit = swapped(unit);
    if (unit >= 0xD800 && unit < 0xDC00)
    {
        char16_t second = 0;
        if (!ReadUtf16Unit(second))
            return false;
        second = swapped(second);
        if (second < 0xDC00 || second > 0xDFFF)
            return false;
        character = static_cast<char16_t>(((unit & 0x3F) << 10) | (second & 0x3FF));
        return true;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF)
        return false;
    character = unit;
    return true;
}

bool XMLParser::NextChar(char16_t& character, bool& invalid)
{
    if (!mFile)
        return false;
    if (!mPushedBack.empty())
    {
        character = mPushedBack.back();
        mPushedBack.pop_back();
    }
    else if (!(this->*mGetChar)(character, invalid))
    {
        return false;
    }
    if (character == '\n')
        ++mLineNumber;
    return true;
}

bool XMLParser::ReadItem(XMLItem* item)
{
    for (;;)
    {
        item->mKind = XML_ITEM_NONE;
        item->mSectionPath = mSectionPath;
        item->mValue.clear();
        item->mBody.clear();
        item->mAttributes.clear();
        ScanState state;

        Step step = Step::More;
        while (step == Step::More)
        {
            char16_t character = 0;
            bool invalid = false;
            if (!NextChar(character, invalid))
            {
                if (invalid)
                    RecordError("Illegal Character");
                if (item->mKind != XML_ITEM_NONE)
                    RecordError("Unexpected End of File");
                return false;
            }
            step = ScanChar(item, state, character);
        }
        if (step == Step::Failed)
            return false;

        if (!state.mAttributeName.empty() || !state.mAttributeValue.empty())
            CommitAttribute(item, state);
        item->mValue = DecodeXmlEntities(item->mValue);
        if (item->mKind == XML_ITEM_COMMENT && !mKeepComments)
            continue;
        return true;
    }
}

XMLParser::Step XMLParser::ScanChar(XMLItem* item, ScanState& state, char16_t character)
{
    if (item->mKind == XML_ITEM_COMMENT)
    {
        std::string& body = item->mBody;
        body += Low8(character);
        size_t n = body.size();
        if (character == '>' && n >= 3 && body[n - 2] == '-' && body[n - 3] == '-')
        {
            body.resize(n - 3);
            return Step::Complete;
        }
        return Step::More;
    }
    if (item->mKind == XML_ITEM_INSTRUCTION)
    {
        std::string& target = !item->mBody.empty() || IsWideSpace(character) ? item->mBody : item->mValue;
        target += Low8(character);
        size_t n = target.size();
        if (character == '>' && n >= 2 && target[n - 2] == '?')
        {
            target.resize(n - 2);
            return Step::Complete;
        }
        return Step::More;
    }
    if (character == '"')
    {
        state.mInQuote = !state.mInQuote;
        if (!state.mInQuote)
            state.mQuoteClosed = true;
        if (item->mKind == XML_ITEM_NONE || item->mKind == XML_ITEM_TEXT)
            OrdinaryChar(item, state, character);
        return Step::More;
    }
    if (state.mInQuote)
    {
        OrdinaryChar(item, state, character);
        return Step::More;
    }
    switch (character)
    {
    case '<':
        if (item->mKind == XML_ITEM_TEXT)
        {
            mPushedBack.push_back(character);
            return Step::Complete;
        }
        if (item->mKind == XML_ITEM_NONE)
        {
            item->mKind = XML_ITEM_START;
            return Step::More;
        }
        RecordError("Unexpected '<'");
        return Step::Failed;
    case '>':
        if (item->mKind == XML_ITEM_START)
            return CloseStartTag(item, state);
        if (item->mKind == XML_ITEM_END)
            return CloseEndTag(item);
        RecordError("Unexpected '>'");
        return Step::Failed;
    case '/':
    case '?':
        if (item->mKind == XML_ITEM_START && item->mValue.empty())
        {
            item->mKind = character == '/' ? XML_ITEM_END : XML_ITEM_INSTRUCTION;
            return Step::More;
        }
        break;
    default:
        break;
    }
    if (IsScanSpace(character))
    {
        if (!item->mValue.empty())
            state.mPendingSpace = true;
        if (item->mKind == XML_ITEM_START && item->mValue == "!--")
            item->mKind = XML_ITEM_COMMENT;
        return Step::More;
    }
    if (character <= 0x20)
    {
        RecordError("Illegal Character");
        return Step::Failed;
    }
    OrdinaryChar(item, state, character);
    return Step::More;
}

void XMLParser::OrdinaryChar(XMLItem* item, ScanState& state, char16_t character)
{
    if (item->mKind == XML_ITEM_NONE)
        item->mKind = XML_ITEM_TEXT;
    if (item->mKind != XML_ITEM_START)
    {
        if (state.mPendingSpace)
        {
            item->mValue += ' ';
            state.mPendingSpace = false;
        }
        item->mValue += Low8(character);
        return;
    }

    if (state.mPendingSpace)
    {
        if (!state.mInAttributes)
            state.mInAttributes = true;
        else if (!state.mAfterEquals)
        {
            if (character != '=')
                CommitAttribute(item, state);
        }
        else if (!state.mAttributeValue.empty() || state.mQuoteClosed)
            CommitAttribute(item, state);
        state.mPendingSpace = false;
    }

    if (!state.mInAttributes)
        item->mValue += Low8(character);
    else if (character == '=')
    {
        state.mAfterEquals = true;
        state.mQuoteClosed = false;
    }
    else if (state.mAfterEquals)
        state.mAttributeValue += character;
    else
        state.mAttributeName += character;
}

void XMLParser::CommitAttribute(XMLItem* item, ScanState& state)
{
    item->SetAttribute(Narrow(DecodeXmlEntitiesWide(state.mAttributeName)),
                       Narrow(DecodeXmlEntitiesWide(state.mAttributeValue)));
    state.mAttributeName.clear();
    state.mAttributeValue.clear();
    state.mAfterEquals = false;
}

XMLParser::Step XMLParser::CloseStartTag(XMLItem* item, ScanState& state)
{
    state.mQuoteClosed = false;
    bool selfClosing = false;
    if (state.mAttributeName == u"/")
    {
        // The '/' of "/>" written after white space: not an attribute.
        state.mAttributeName.clear();
        state.mAttributeValue.clear();
        state.mAfterEquals = false;
        selfClosing = true;
    }
    else if (!state.mAttributeName.empty())
    {
        std::string name = Narrow(DecodeXmlEntitiesWide(state.mAttributeName));
        CommitAttribute(item, state);
        std::string& value = item->mAttributes[name];
        if (!value.empty() && value.back() == '/')
        {
            value.pop_back();
            item->SetAttribute(name, DecodeXmlEntities(value));
            selfClosing = true;
        }
    }
    else if (!item->mValue.empty() && item->mValue.back() == '/')
    {
        item->mValue.pop_back();
        selfClosing = true;
    }

    if (selfClosing)
    {
        mPushedBack.push_back('>');
        for (auto it = item->mValue.rbegin(); it != item->mValue.rend(); ++it)
            mPushedBack.push_back(static_cast<uint8_t>(*it));
        mPushedBack.push_back('/');
        mPushedBack.push_back('<');
    }
    if (!mSectionPath.empty())
        mSectionPath += '/';
    mSectionPath += item->mValue;
    return Step::Complete;
}

XMLParser::Step XMLParser::CloseEndTag(XMLItem* item)
{
    if (mSectionPath.empty())
    {
        RecordError("Unexpected End");
        return Step::Failed;
    }
    size_t slash = mSectionPath.rfind('/');
    std::string last = slash == std::string::npos ? mSectionPath : mSectionPath.substr(slash + 1);
    if (item->mValue != last)
    {
        RecordError("End '" + item->mValue + "' Doesn't Match Start '" + last + "'");
        return Step::Failed;
    }
    mSectionPath.resize(slash == std::string::npos ? 0 : slash);
    return Step::Complete;
}

} // namespace Quib
