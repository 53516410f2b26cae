#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <gtest/gtest.h>
#include <string>

using namespace applife;

namespace
{

// Four quadrants in the colours the screenshot script looks for.
class PatternWidget : public RecordingWidget
{
public:
    void Draw(Quib::Graphics* g) override
    {
        const int w = mWidth / 2;
        const int h = mHeight / 2;
        g->SetColor(Quib::Color(255, 0, 0));
        g->FillRect(0, 0, w, h);
        g->SetColor(Quib::Color(0, 255, 0));
        g->FillRect(w, 0, mWidth - w, h);
        g->SetColor(Quib::Color(0, 0, 255));
        g->FillRect(0, h, w, mHeight - h);
        g->SetColor(Quib::Color(255, 255, 255));
        g->FillRect(w, h, mWidth - w, mHeight - h);
        ++mDraws;
    }
    int mDraws = 0;
};

class ShowApp : public LifeApp
{
public:
    void OnInitFinished() override
    {
        mPattern.Resize(0, 0, mWidth, mHeight);
        mWidgetManager->AddChild(&mPattern);
    }
    ~ShowApp() override { mWidgetManager->RemoveChild(&mPattern); }
    void UpdateStep() override
    {
        LifeApp::UpdateStep();
        if (mUpdates == 1)
            mStart = platform::tickCount();
        else if (!mCloseSent && platform::tickCount() - mStart >= mShowMs)
        {
            PushWindowEvent(*this, SDL_WINDOWEVENT_CLOSE);
            mCloseSent = true;
        }
    }

    PatternWidget mPattern;
    uint32_t mShowMs = 200;
    uint32_t mStart = 0;
    bool mCloseSent = false;
};

// Opens the window, shows what the application draws for a while (longer when
// the screenshot script asks through ORVELLAN_SHOW_MS, full screen with
// ORVELLAN_SHOW_FULLSCREEN) and closes it again.
TEST(AppLifeShowTest, ShowsWhatTheApplicationDraws)
{
    ShowApp app;
    app.mShowMs = uint32_t(std::stoi(platform::getEnv("ORVELLAN_SHOW_MS").value_or("200")));
    app.mIsWindowed = !platform::getEnv("ORVELLAN_SHOW_FULLSCREEN").has_value();
    app.Init();
    ASSERT_TRUE(app.IsInitFinished());
    app.Start();
    EXPECT_GT(app.mPattern.mDraws, 0);
    // A real desktop makes colour cursors (the dummy driver cannot).
    if (platform::getEnv("SDL_VIDEODRIVER").value_or("") == "x11")
    {
        EXPECT_TRUE(app.mHandCursor.isValid());
        EXPECT_TRUE(app.mDraggingCursor.isValid());
    }
    EXPECT_GT(app.mMainLoop.mDrawCount, 0);
}

} // namespace
