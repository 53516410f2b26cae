#include "tests/framework/app/AppLifeSupport.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/Window.h"

#include <cstring>

namespace applife
{

void RecordingWidget::Draw(Quib::Graphics* g)
{
    g->SetColor(mFill);
    g->FillRect(0, 0, mWidth, mHeight);
}

void RecordingWidget::OnMouseDown(int x, int y, int clickCode)
{
    mEvents.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " " +
                      std::to_string(clickCode));
}

void RecordingWidget::OnMouseUp(int x, int y, int clickCode)
{
    mEvents.push_back("up " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clickCode));
}

void RecordingWidget::OnKeyDown(int key)
{
    mEvents.push_back("key " + std::to_string(key));
}

void RecordingWidget::OnChar(char character)
{
    mEvents.push_back(std::string("char ") + character);
}

LifeApp::LifeApp()
{
    mWidth = 800;
    mHeight = 600;
    mFullScreenBitDepth = 32;
    mOnlyAllowOneCopyToRun = false;
    mUseRegistry = false;
    mTitle = "Life";
}

LifeApp::~LifeApp()
{
    if (mWidgetManager)
        mWidgetManager->RemoveChild(&mWidget);
}

void LifeApp::OnInitFinished()
{
    mCalls.push_back("OnInitFinished");
    mWidget.Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddChild(&mWidget);
    mWidgetManager->SetFocusWidget(&mWidget);
}

void LifeApp::RunLoadingThread()
{
    mLoading.mTotal = 4;
    for (int i = 1; i <= 4; ++i)
        mLoading.mDone = i;
}

void LifeApp::UpdateStep()
{
    QuibAppBase::UpdateStep();
    ++mUpdates;
    auto it = mScript.find(mUpdates);
    if (it != mScript.end())
        it->second();
}

void PushWindowEvent(LifeApp& app, SDL_WindowEventID event)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = app.MainWindowId();
    e.window.event = uint8_t(event);
    SDL_PushEvent(&e);
}

void PushKey(LifeApp& app, SDL_Keycode sym, SDL_Scancode scan, bool down, uint16_t modifiers)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = app.MainWindowId();
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scan;
    e.key.keysym.mod = modifiers;
    SDL_PushEvent(&e);
}

void PushAltEnter(LifeApp& app)
{
    PushKey(app, SDLK_LALT, SDL_SCANCODE_LALT, true, KMOD_LALT);
    PushKey(app, SDLK_RETURN, SDL_SCANCODE_RETURN, true, KMOD_LALT);
    PushKey(app, SDLK_RETURN, SDL_SCANCODE_RETURN, false, KMOD_LALT);
    PushKey(app, SDLK_LALT, SDL_SCANCODE_LALT, false, 0);
}

void PushText(LifeApp& app, const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = app.MainWindowId();
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void PushClick(LifeApp& app, int clientX, int clientY)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = app.MainWindowId();
    e.motion.x = clientX;
    e.motion.y = clientY;
    SDL_PushEvent(&e);
    e = {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = app.MainWindowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = SDL_PRESSED;
    e.button.clicks = 1;
    e.button.x = clientX;
    e.button.y = clientY;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    e.button.state = SDL_RELEASED;
    SDL_PushEvent(&e);
}

} // namespace applife
