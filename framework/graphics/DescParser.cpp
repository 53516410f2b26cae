#include "framework/graphics/DescParser.h"

#include "framework/files/PakFile.h"
#include "framework/foundation/NumberText.h"
#include "framework/foundation/Strings.h"

namespace Quib
{
namespace
{

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == ',';
}

// Depth and element count of a value, to keep resolved lists within the bounds.
void Measure(const DataElement* element, int depth, int& maxDepth, size_t& count)
{
    ++count;
    if (!element->mIsList)
        return;
    if (depth + 1 > maxDepth)
        maxDepth = depth + 1;
    for (const DataElement* child : static_cast<const ListDataElement*>(element)->mElementVector)
        Measure(child, depth + 1, maxDepth, count);
}

std::string DereferenceError(const std::string& name)
{
    return "Unable to Dereference \"" + name + "\"";
}

// Appends each string read as a number; false at the first that is not one.
template <typename Number, typename Stored>
bool ParseEach(const std::vector<std::string>& strings, std::vector<Stored>& out,
               bool (*parse)(std::string, Number&))
{
    for (const std::string& s : strings)
    {
        Number value = 0;
        if (!parse(s, value))
            return false;
        out.push_back(value);
    }
    return true;
}

} // namespace

DescParser::DescParser() : mCmdSep(CMDSEP_SEMICOLON), mCurrentLineNum(0) {}

DescParser::~DescParser()
{
    for (auto& entry : mDefineMap)
        delete entry.second;
}

bool DescParser::ReportError(const std::string& text)
{
    mError = text;
    return false;
}

DataElement* DescParser::FindDefine(const std::string& name)
{
    auto it = mDefineMap.find(ToUpperCopy(name));
    return it == mDefineMap.end() ? nullptr : it->second;
}

void DescParser::SetDefine(const std::string& name, DataElement* value)
{
    std::string key = ToUpperCopy(name);
    auto it = mDefineMap.find(key);
    if (it != mDefineMap.end())
    {
        delete it->second;
        it->second = value;
    }
    else
    {
        mDefineMap.emplace(key, value);
    }
}

bool DescParser::ParseFile(const std::string& fileName)
{
    auto bytes = PakReadWholeFile(fileName, MAX_FILE_BYTES);
    if (!bytes)
    {
        // A file that opens but could not be read whole is over the limit.
        PakFile* file = PakFileOpen(fileName, "rb");
        if (file == nullptr)
            return false;
        PakFileClose(file);
        return ReportError("File Too Large (over " + std::to_string(MAX_FILE_BYTES >> 20) + " MiB)");
    }
    return ParseText(std::string(bytes->begin(), bytes->end()));
}

bool DescParser::ParseText(const std::string& text)
{
    mError.clear();
    mCurrentLine.clear();
    mCurrentLineNum = 0;

    int lineCounter = 0;
    bool atLineStart = true;
    bool indented = false;
    bool comment = false;
    bool singleQuoted = false;
    bool doubleQuoted = false;
    bool pendingBackslash = false;
    bool ok = true;

    auto store = [&](char c)
    {
        if (mCurrentLine.empty())
            mCurrentLineNum = lineCounter + 1;
        mCurrentLine += c;
    };
    // Runs the collected command and puts the reader back into its start state.
    auto endCommand = [&]()
    {
        if (!mCurrentLine.empty() && !HandleLine(mCurrentLine))
            ok = false;
        mCurrentLine.clear();
        atLineStart = true;
        indented = false;
        comment = false;
        singleQuoted = false;
        doubleQuoted = false;
        pendingBackslash = false;
    };

    size_t i = 0;
    while (ok)
    {
        if (i >= text.size())
        {
            endCommand();
            break;
        }
        char c = text[i];
        if (c == '\r')
        {
            ++i;
            continue;
        }
        if (c == '\n')
            ++lineCounter;

        if (atLineStart)
        {
            if (c == ' ' || c == '\t')
            {
                indented = true;
                ++i;
                continue;
            }
            if (c == '\n')
            {
                ++i;
                continue;
            }
            if ((mCmdSep & CMDSEP_NO_INDENT) && !indented && !mCurrentLine.empty())
            {
                // Read this character again as the first of the next command.
                endCommand();
                continue;
            }
            if (c == '#')
                comment = true;
            atLineStart = false;
        }

        ++i;
        if (c == '\n')
        {
            atLineStart = true;
            indented = false;
            if (comment)
                comment = false;
            else
                store(c);
            continue;
        }
        if (comment)
            continue;

        if (singleQuoted || doubleQuoted)
        {
            if (pendingBackslash)
            {
                store('\\');
                store(c);
                pendingBackslash = false;
                continue;
            }
            if (c == '\\')
            {
                pendingBackslash = true;
                continue;
            }
        }

        if (c == '\'' && !doubleQuoted)
            singleQuoted = !singleQuoted;
        else if (c == '"' && !singleQuoted)
            doubleQuoted = !doubleQuoted;
        else if (c == ';' && !singleQuoted && !doubleQuoted && (mCmdSep & CMDSEP_SEMICOLON))
        {
            endCommand();
            continue;
        }
        store(c);
    }

    mCurrentLine.clear();
    mCurrentLineNum = 0;
    return ok;
}

bool DescParser::HandleLine(const std::string& line)
{
    ListDataElement params;
    size_t pos = 0;
    if (!Tokenize(line, &params, false, pos))
        return false;
    if (params.mElementVector.empty())
        return true;
    if (params.mElementVector[0]->mIsList)
        return ReportError("Missing Command");
    return HandleCommand(&params);
}

bool DescParser::Tokenize(const std::string& text, ListDataElement* list, bool inner, size_t& pos)
{
    return TokenizeLevel(text, list, inner, pos, inner ? 1 : 0);
}

bool DescParser::TokenizeLevel(const std::string& text, ListDataElement* list, bool inner, size_t& pos,
                               int depth)
{
    if (depth > MAX_LIST_DEPTH)
        return ReportError("List Nesting Too Deep");

    SingleDataElement* current = nullptr;
    bool singleQuoted = false;
    bool doubleQuoted = false;

    auto append = [&](char c) -> bool
    {
        if (!current)
        {
            if (list->mElementVector.size() >= MAX_LIST_ELEMENTS)
                return ReportError("List Too Large");
            current = new SingleDataElement();
            list->mElementVector.push_back(current);
        }
        current->mString += c;
        return true;
    };

    while (pos < text.size())
    {
        char c = text[pos++];
        if (c == '\\')
        {
            if (pos < text.size() && !append(text[pos++]))
                return false;
            continue;
        }
        if (c == '\'' && !doubleQuoted)
            singleQuoted = !singleQuoted;
        else if (c == '"' && !singleQuoted)
            doubleQuoted = !doubleQuoted;
        else if (!singleQuoted && !doubleQuoted)
        {
            if (IsSeparator(c))
            {
                current = nullptr;
                continue;
            }
            if (c == '(')
            {
                if (current)
                    return ReportError("Unexpected List Start");
                if (list->mElementVector.size() >= MAX_LIST_ELEMENTS)
                    return ReportError("List Too Large");
                auto* child = new ListDataElement();
                list->mElementVector.push_back(child);
                if (!TokenizeLevel(text, child, true, pos, depth + 1))
                    return false;
                continue;
            }
            if (c == ')')
            {
                if (inner)
                    return true;
                return ReportError("Unexpected List End");
            }
        }
        if (!append(c))
            return false;
    }

    if (singleQuoted)
        return ReportError("Unterminated Single Quotes");
    if (doubleQuoted)
        return ReportError("Unterminated Double Quotes");
    if (inner)
        return ReportError("Unterminated List");
    return true;
}

bool DescParser::ResolveList(ListDataElement* source, ListDataElement* resolved)
{
    size_t count = 0;
    return ResolveLevel(source, resolved, 1, count);
}

bool DescParser::ResolveLevel(ListDataElement* source, ListDataElement* resolved, int depth, size_t& count)
{
    if (depth > MAX_LIST_DEPTH)
        return ReportError("List Nesting Too Deep");
    for (DataElement* child : source->mElementVector)
    {
        if (child->mIsList)
        {
            if (++count > MAX_LIST_ELEMENTS)
                return ReportError("List Too Large");
            auto* list = new ListDataElement();
            resolved->mElementVector.push_back(list);
            if (!ResolveLevel(static_cast<ListDataElement*>(child), list, depth + 1, count))
                return false;
            continue;
        }

        const std::string& text = static_cast<SingleDataElement*>(child)->mString;
        if (!text.empty() && (text[0] == '\'' || text[0] == '"'))
        {
            if (++count > MAX_LIST_ELEMENTS)
                return ReportError("List Too Large");
            resolved->mElementVector.push_back(new SingleDataElement(Unquote(text)));
        }
        else if (IsLiteral(text))
        {
            if (++count > MAX_LIST_ELEMENTS)
                return ReportError("List Too Large");
            resolved->mElementVector.push_back(child->Clone());
        }
        else
        {
            DataElement* value = FindDefine(text);
            if (!value)
                return ReportError(DereferenceError(text));
            int valueDepth = 0;
            Measure(value, 0, valueDepth, count);
            if (count > MAX_LIST_ELEMENTS)
                return ReportError("List Too Large");
            if (depth + valueDepth > MAX_LIST_DEPTH)
                return ReportError("List Nesting Too Deep");
            resolved->mElementVector.push_back(value->Clone());
        }
    }
    return true;
}

bool DescParser::IsLiteral(const std::string& text)
{
    if (text.empty())
        return false;
    char c = text[0];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '\'' || c == '"';
}

std::string DescParser::Unquote(const std::string& text)
{
    if (text.empty() || (text[0] != '\'' && text[0] != '"'))
        return text;
    const char quote = text[0];
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        if (text[i] != quote)
        {
            result += text[i++];
            continue;
        }
        size_t run = 0;
        while (i < text.size() && text[i] == quote)
        {
            ++run;
            ++i;
        }
        result.append(run - 1, quote);
    }
    return result;
}

bool DescParser::ElementToString(DataElement* element, std::string& out)
{
    if (element->mIsList)
        return false;
    const std::string& text = static_cast<SingleDataElement*>(element)->mString;
    if (DataElement* value = FindDefine(text))
    {
        if (value->mIsList)
            return false;
        out = Unquote(static_cast<SingleDataElement*>(value)->mString);
        return true;
    }
    out = Unquote(text);
    return true;
}

bool DescParser::ElementToStringList(DataElement* element, std::vector<std::string>& out)
{
    out.clear();
    ListDataElement resolved;
    ListDataElement* list = nullptr;
    if (element->mIsList)
    {
        if (!ResolveList(static_cast<ListDataElement*>(element), &resolved))
            return false;
        list = &resolved;
    }
    else
    {
        const std::string& name = static_cast<SingleDataElement*>(element)->mString;
        DataElement* value = FindDefine(name);
        if (!value)
            return ReportError(DereferenceError(name));
        if (!value->mIsList)
            return false;
        list = static_cast<ListDataElement*>(value);
    }

    for (DataElement* child : list->mElementVector)
    {
        if (child->mIsList)
        {
            out.clear();
            return false;
        }
        out.push_back(static_cast<SingleDataElement*>(child)->mString);
    }
    return true;
}

bool DescParser::ElementToList(DataElement* element, ListDataElement* out)
{
    if (element->mIsList)
        return ResolveList(static_cast<ListDataElement*>(element), out);
    DataElement* value = FindDefine(static_cast<SingleDataElement*>(element)->mString);
    if (!value || !value->mIsList)
        return false;
    *out = *static_cast<ListDataElement*>(value);
    return true;
}

bool DescParser::ElementToInts(DataElement* element, std::vector<int32_t>& out)
{
    std::vector<std::string> strings;
    return ElementToStringList(element, strings) && ParseEach(strings, out, ParseInt);
}

bool DescParser::ElementToDoubles(DataElement* element, std::vector<double>& out)
{
    std::vector<std::string> strings;
    return ElementToStringList(element, strings) && ParseEach(strings, out, ParseDouble);
}

std::string DescParser::ElementToText(DataElement* element)
{
    if (!element->mIsList)
        return static_cast<SingleDataElement*>(element)->mString;
    std::string text = "(";
    bool first = true;
    for (DataElement* child : static_cast<ListDataElement*>(element)->mElementVector)
    {
        if (!first)
            text += ", ";
        text += ElementToText(child);
        first = false;
    }
    return text + ")";
}

} // namespace Quib
