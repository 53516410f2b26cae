#include "platform/MessageBox.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MessageBox, HookSeesTheRequestAndAnswers)
{
    MessageBoxRequest seen;
    ScopedMessageBoxHook hook(
        [&](const MessageBoxRequest& r)
        {
            seen = r;
            return IDNO;
        });
    EXPECT_EQ(showMessageBox(nullptr, "Keep it?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(seen.text, "Keep it?");
    EXPECT_EQ(seen.caption, "Question");
    EXPECT_EQ(seen.flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(seen.owned);
}

TEST(MessageBox, WithoutAHookATestRunGetsTheDefaultAnswerAtOnce)
{
    const struct
    {
        uint32_t flags;
        int answer;
    } cases[] = {{MB_OK | MB_ICONERROR, IDOK}, {MB_OKCANCEL, IDOK},       {MB_YESNO, IDYES},
                 {MB_YESNOCANCEL, IDYES},      {MB_RETRYCANCEL, IDRETRY}, {MB_ABORTRETRYIGNORE, IDABORT}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(defaultMessageBoxAnswer(c.flags), c.answer);
        EXPECT_EQ(showMessageBox(nullptr, "text", "caption", c.flags), c.answer);
    }
}
