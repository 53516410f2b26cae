#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport
{

// Stands in a desktop opener ("xdg-open") on the PATH for a scope. It writes
// its arguments to a file and then waits until the test lets it exit with a
// code of the test's choosing, so a test controls exactly when it ends.
class FakeOpener
{
public:
    FakeOpener()
    {
        mFolder = std::filesystem::temp_directory_path() /
                  ("orvellan-opener-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(mFolder);
        std::filesystem::create_directories(mFolder);
        const std::filesystem::path script = mFolder / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "printf '%s\\n' \"$@\" > \"$0.args\"\n"
                                 "read code < \"$0.gate\"\n"
                                 "exit \"$code\"\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        ::mkfifo((mFolder / "xdg-open.gate").c_str(), 0600);
        const char* path = std::getenv("PATH");
        mOldPath = path ? path : "";
        ::setenv("PATH", (mFolder.string() + ":" + mOldPath).c_str(), 1);
    }
    ~FakeOpener()
    {
        ::setenv("PATH", mOldPath.c_str(), 1);
        std::filesystem::remove_all(mFolder);
    }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // Lets the waiting opener exit with the code; returns once it has read it.
    void Finish(int code) { std::ofstream(mFolder / "xdg-open.gate") << code << "\n"; }
    // The arguments the opener was given, one per line.
    std::string Arguments() const
    {
        std::ifstream in(mFolder / "xdg-open.args");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path mFolder;
    std::string mOldPath;
};

} // namespace testsupport
