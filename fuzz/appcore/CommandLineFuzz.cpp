// The command line as the desktop hands it over: any bytes.
#include "framework/app/CommandLine.h"
#include "framework/app/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

struct Stopped
{
};

struct FuzzHost : Quib::CommandLineHost
{
    void ShowError(const std::string&) override {}
    void RestoreDisplayAndExit(int) override { throw Stopped{}; }
    void ProvokeCrash() override {}
    void ParseCommandLineText(const std::string& text) override { line->ParseCommandLineText(text); }
    void HandleCommandLineOption(const std::string& key, const std::string& value) override
    {
        line->HandleCommandLineOption(key, value);
    }
    Quib::CommandLine* line = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzHost host;
    Quib::StringTable strings;
    Quib::CommandLine line(host, strings);
    host.line = &line;
    // The numbered demo options scan and delete files: point them at a folder
    // that does not exist.
    line.mDemoFilePrefix = "/nonexistent-orvellan-fuzz/quibapp";
    try
    {
        line.ParseCommandLine(std::string(reinterpret_cast<const char*>(data), size));
    }
    catch (const Stopped&)
    {
    }
    return 0;
}
