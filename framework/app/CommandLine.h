#pragma once

#include <string>
#include <vector>

namespace Quib
{

class StringTable;

// What the command line needs of the application object.
class CommandLineHost
{
public:
    virtual ~CommandLineHost() = default;
    virtual void ShowError(const std::string& text) = 0;
    // Restores the display settings and ends the process; does not return.
    virtual void RestoreDisplayAndExit(int code) = 0;
    // Crashes the program at once so that the crash reporter handles it.
    virtual void ProvokeCrash() = 0;
    // The application's overridable steps of the parse; its defaults are
    // CommandLine's ParseCommandLineText and HandleCommandLineOption.
    virtual void ParseCommandLineText(const std::string& text) = 0;
    virtual void HandleCommandLineOption(const std::string& key, const std::string& value) = 0;
};

// The options the program reads once at start-up: demo recording and playback
// (with numbered demo files that rotate), the demo file, screen-saver mode, the
// working folder and a provoked crash. Anything else ends the program after a
// message.
class CommandLine
{
public:
    CommandLine(CommandLineHost& host, const StringTable& strings) : mHost(host), mStrings(strings) {}

    // The whole command line, program name first (quoted when it holds blanks);
    // the options go to the host's ParseCommandLineText.
    void ParseCommandLine(const std::string& commandLine);
    // The options alone, each handed to the host's HandleCommandLineOption.
    void ParseCommandLineText(const std::string& text);
    void HandleCommandLineOption(const std::string& key, const std::string& value);

    // The highest n among the files prefix + n + ".dmo" (0 when none). With
    // deleteOldest, when at least keep of them exist, the lowest-numbered one
    // is deleted first. A prefix with a folder looks in that folder, else in
    // the working folder.
    static int FindDemoFileNumbers(const std::string& prefix, int keep, bool deleteOldest);

    // Builds the single command line text from a program's arguments: the
    // program name quoted, and every argument that holds a blank quoted.
    static std::string JoinArguments(const std::vector<std::string>& arguments);

    // A name the shared data folder is not put in front of.
    static bool IsAbsoluteName(const std::string& name);

    bool mRecordDemo = false;
    bool mPlayDemo = false;
    std::string mDemoFilePrefix = "quibapp";
    std::string mDemoFileName = "quibapp.dmo";
    bool mScreenSaverMode = false;
    std::string mProgramFolder;
    bool mCommandLineParsed = false;

private:
    CommandLineHost& mHost;
    const StringTable& mStrings;
};

} // namespace Quib
