#include "tests/framework/app/AppLifeSupport.h"

#include <gtest/gtest.h>

using namespace applife;

namespace
{

// The run's length in updates when a key is pressed at update 3; a close at
// update 60 ends any run the key did not.
int UpdatesUntilEnd(bool screenSaver)
{
    LifeApp app;
    app.mCommandLine.mScreenSaverMode = screenSaver;
    app.Init();
    app.At(3, [&] { PushKey(app, SDLK_a, SDL_SCANCODE_A, true); });
    app.At(60, [&] { PushWindowEvent(app, SDL_WINDOWEVENT_CLOSE); });
    app.Start();
    return app.mUpdates;
}

TEST(QuibAppBaseScreenSaverTest, AKeyEndsTheProgramOnlyInScreenSaverMode)
{
    EXPECT_LT(UpdatesUntilEnd(true), 60);
    EXPECT_EQ(UpdatesUntilEnd(false), 60);
}

} // namespace
