#include "framework/app/CommandLine.h"

#include "framework/app/StringTable.h"
#include "framework/foundation/Paths.h"
#include "framework/foundation/Strings.h"
#include "platform/Files.h"

#include <algorithm>
#include <climits>
#include <map>

namespace Quib
{

namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The leading decimal number of a text as the C runtime's atoi reads it, with
// values beyond the int range clamped instead of overflowing.
int leadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The number of a name that reads exactly prefix + integer + ".dmo" (letters
// compared without case, as the file system the files come from does).
bool demoFileNumber(const std::string& name, const std::string& prefix, int& number)
{
    static const std::string kExtension = ".dmo";
    if (name.size() <= prefix.size() + kExtension.size())
        return false;
    if (CompareNoCase(name.substr(0, prefix.size()), prefix) != 0 ||
        CompareNoCase(name.substr(name.size() - kExtension.size()), kExtension) != 0)
        return false;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - kExtension.size());
    size_t i = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
    // Nine digits always fit an int; longer numbers are not ours.
    if (i == digits.size() || digits.size() - i > 9)
        return false;
    for (size_t j = i; j < digits.size(); ++j)
        if (digits[j] < '0' || digits[j] > '9')
            return false;
    number = leadingNumber(digits);
    return true;
}

std::string inSharedDataFolder(const std::string& name)
{
    return CommandLine::IsAbsoluteName(name) ? name : gSharedDataFolder + name;
}

} // namespace

bool CommandLine::IsAbsoluteName(const std::string& name)
{
    if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        return true;
    return (name.size() >= 2 && name[1] == ':') || (name.size() >= 3 && name[2] == '\\');
}

void CommandLine::ParseCommandLine(const std::string& commandLine)
{
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == '"')
    {
        end = commandLine.find('"', 1);
        if (end == std::string::npos)
            end = commandLine.size();
        else
            ++end;
    }
    else
    {
        end = std::min(commandLine.find(' '), commandLine.size());
    }
    const size_t blank = commandLine.find(' ', end);
    if (blank != std::string::npos)
        mHost.ParseCommandLineText(commandLine.substr(blank + 1));
    mCommandLineParsed = true;
}

void CommandLine::ParseCommandLineText(const std::string& text)
{
    std::string key;
    std::string value;
    bool inQuotes = false;
    bool afterEquals = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        bool endOfWord = false;
        if (c == '"')
        {
            inQuotes = !inQuotes;
            endOfWord = !inQuotes;
        }
        else if (isBlank(c) && !inQuotes)
        {
            endOfWord = true;
        }
        else if (c == '=')
        {
            afterEquals = true;
        }
        else
        {
            (afterEquals ? value : key) += c;
        }
        if (endOfWord || i + 1 == text.size())
        {
            if (!key.empty())
                mHost.HandleCommandLineOption(key, value);
            // A word without a key ("=x") is dropped whole rather than leaking
            // its value into the next option.
            key.clear();
            value.clear();
            afterEquals = false;
        }
    }
}

void CommandLine::HandleCommandLineOption(const std::string& key, const std::string& value)
{
    if (key == "-play")
    {
        mPlayDemo = true;
        mRecordDemo = false;
    }
    else if (key == "-record")
    {
        mRecordDemo = true;
        mPlayDemo = false;
    }
    else if (key == "-recnum")
    {
        int keep = leadingNumber(value);
        if (keep <= 0)
            keep = 5;
        const int newest = FindDemoFileNumbers(inSharedDataFolder(mDemoFilePrefix), keep, true);
        mDemoFileName =
            inSharedDataFolder(mDemoFilePrefix + std::to_string(static_cast<long long>(newest) + 1) + ".dmo");
        mRecordDemo = true;
        mPlayDemo = false;
    }
    else if (key == "-playnum")
    {
        const int back = static_cast<int>(std::max(static_cast<long long>(leadingNumber(value)) - 1, 0LL));
        // The numbered demos are the ones "-recnum" wrote, in the shared data folder.
        const int newest = FindDemoFileNumbers(inSharedDataFolder(mDemoFilePrefix), back, false);
        mDemoFileName = inSharedDataFolder(mDemoFilePrefix +
                                           std::to_string(static_cast<long long>(newest) - back) + ".dmo");
        mPlayDemo = true;
        mRecordDemo = false;
    }
    else if (key == "-demofile")
    {
        mDemoFileName = inSharedDataFolder(value);
    }
    else if (key == "-crash")
    {
        mHost.ProvokeCrash();
    }
    else if (key == "-screensaver")
    {
        mScreenSaverMode = true;
    }
    else if (key == "-changedir")
    {
        mProgramFolder = value;
    }
    else
    {
        mHost.ShowError(
            mStrings.LookupString("INVALID_COMMANDLINE_PARAM", "Invalid command line parameter: ") + key);
        mHost.RestoreDisplayAndExit(0);
    }
}

int CommandLine::FindDemoFileNumbers(const std::string& prefix, int keep, bool deleteOldest)
{
    std::string folder = DirectoryOfPath(prefix);
    const std::string base = prefix.substr(folder.empty() ? 0 : folder.size() + 1);
    const std::string listed = folder.empty() ? std::string(".") : platform::nativePath(folder);

    // By number, the name as it is on disk; duplicates ("7" and "07") count once.
    std::map<int, std::string> numbers;
    for (const platform::DirectoryEntry& entry : platform::listDirectory(listed))
    {
        int number = 0;
        if (!entry.isDirectory && demoFileNumber(entry.name, base, number))
            numbers.emplace(number, entry.name);
    }
    if (numbers.empty())
        return 0;
    if (deleteOldest && static_cast<int>(numbers.size()) >= keep)
        platform::removeFile(listed + "/" + numbers.begin()->second);
    return numbers.rbegin()->first;
}

std::string CommandLine::JoinArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        if (i > 0)
            line += ' ';
        const std::string& argument = arguments[i];
        const bool quote = i == 0 || argument.find_first_of(" \t") != std::string::npos;
        if (quote)
            line += '"';
        for (char c : argument)
            if (c != '"') // a quote inside an argument cannot be written on this command line
                line += c;
        if (quote)
            line += '"';
    }
    return line;
}

} // namespace Quib
