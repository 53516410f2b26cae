#include "framework/crash/ReportSymbols.h"

#include <gtest/gtest.h>

using namespace Quib;

TEST(ReportSymbols, StackPlacesBecomeFunctionsWithTheirLines)
{
    const std::string report = "Exception: Access Violation (code 0xc0000005) at address 1000 in thread 1\r\n"
                               "Module: game\r\n"
                               "Logical Address: 0002:00000100\r\n"
                               "\r\n"
                               "1100  7000  0002:00000100 game\r\n"
                               "1200  7010  0002:00000200 game\r\n"
                               "1300  7020  0001:00000300 unknown.so\r\n"
                               "\r\n"
                               "Modules:\r\n"
                               "1000 /opt/game\r\n";
    std::vector<unsigned long> asked;
    const std::string resolved = ResolveReportSymbols(
        report,
        [&](const std::string& module, const std::vector<unsigned long>& offsets, std::string& output)
        {
            EXPECT_EQ(module, "/opt/game");
            asked = offsets;
            output = "Explode()\n/src/bomb.cpp:42\n??\n??:0\n";
            return true;
        },
        [](const std::string& module, std::string& output)
        {
            EXPECT_EQ(module, "/opt/game");
            output = "                 U puts\n"
                     "00000000000000fc T Explode()\n"
                     "0000000000000150 d table\n"
                     "0000000000000180 t (anonymous namespace)::Fizzle(int)\n"
                     "0000000000000200 T Later()\n";
            return true;
        });
    // The faulting address is taken as it is; return addresses one before,
    // inside the call that made them: the function is the one the call was
    // made from, its distance that of the address shown.
    EXPECT_EQ(asked, (std::vector<unsigned long>{0x100, 0x1FF}));
    EXPECT_NE(resolved.find("1100  7000  Explode()+0x4\r\n    /src/bomb.cpp line 42 game\r\n"),
              std::string::npos)
        << resolved;
    EXPECT_NE(resolved.find("1200  7010  (anonymous namespace)::Fizzle(int)+0x80 game\r\n"),
              std::string::npos)
        << resolved;
    EXPECT_NE(resolved.find("1300  7020  0001:00000300 unknown.so\r\n"), std::string::npos);
    EXPECT_EQ(ErrorTitleOf(report), "Exception at 0002:00000100");
    EXPECT_EQ(ErrorTitleOf("nothing"), "Exception");
}
