#include "platform/Process.h"

#include <gtest/gtest.h>

TEST(Process, ExitCanBeInterceptedByTests)
{
    platform::ScopedExitInterception intercept;
    try
    {
        platform::exitProcess(3);
        FAIL() << "exitProcess returned";
    }
    catch (const platform::ExitRequested& request)
    {
        EXPECT_EQ(request.code, 3);
    }
}

TEST(Process, RealExitEndsTheProcess)
{
    EXPECT_EXIT(platform::exitProcess(7), ::testing::ExitedWithCode(7), "");
}
