#include "framework/foundation/DebugPrintf.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

TEST(DebugPrintf, WritesTheWholeFormattedTextToStandardError)
{
    const std::string longName(500, 'n');
    ::testing::internal::CaptureStderr();
    Quib::DebugPrintf("Loading time: %d ms\n", 1234);
    Quib::DebugPrintf("%s|%c", longName.c_str(), 0);
    const std::string output = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(output, "Loading time: 1234 ms\n" + longName + "|" + std::string(1, '\0'));
}

} // namespace
