// Shows one of each standard control in a window, driven by the widget manager,
// for looking at them by eye: widgetdemo [seconds]. With a number of seconds it
// closes by itself after that time.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/ControlFont.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "framework/widgets/WindowInput.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/Messages.h"
#include "platform/Window.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{

using namespace Quib;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class DemoHost : public WidgetHost
{
public:
    void SelectCursor(int) override {}
    bool Is3DEnabled() override { return false; }
    void CopyToClipboard(const std::string& text) override { platform::setClipboardText(text); }
    std::string GetClipboardText() override { return platform::clipboardText(); }
    bool AcceptsHighCharacters() override { return true; }
    int GetScreenWidth() override { return kWidth; }
    int GetScreenHeight() override { return kHeight; }
    bool RunLoopStep() override { return false; }
    void CloseDialog(int) override {}
};

// A flat background so that every control shows against something.
class Backdrop : public Widget
{
public:
    void Draw(Graphics* g) override
    {
        g->SetColor(Color(40, 60, 90));
        g->FillRect(0, 0, mWidth, mHeight);
    }
};

// Solid images for the slider's track and thumb.
void Fill(MemoryImage& image, int width, int height, uint32_t argb)
{
    image.Create(width, height);
    uint32_t* bits = image.GetBits();
    for (int i = 0; i < width * height; ++i)
        bits[i] = argb;
    image.MarkBitsChanged();
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    platform::Window window;
    if (!window.create("Widget demo", kWidth, kHeight, false))
    {
        std::fprintf(stderr, "widgetdemo: no window\n");
        return 1;
    }
    window.show();

    DemoHost host;
    MemoryImage screen;
    screen.Create(kWidth, kHeight);
    WidgetManager manager(&host);
    manager.mDrawImage = &screen;
    manager.SetMouseMapping(Rect(0, 0, kWidth, kHeight), Rect(0, 0, kWidth, kHeight));

    Backdrop backdrop;
    backdrop.Resize(0, 0, kWidth, kHeight);
    manager.AddChild(&backdrop);

    ButtonListener buttons;
    ButtonWidget button(1, &buttons);
    button.mLabel = "Press me";
    button.Resize(40, 40, 160, 32);
    manager.AddChild(&button);

    Checkbox checkbox(nullptr, nullptr, 2, nullptr);
    checkbox.Resize(40, 100, 20, 20);
    checkbox.SetChecked(true, false);
    manager.AddChild(&checkbox);

    MemoryImage track, thumb;
    Fill(track, 30, 8, 0xFFB0B0B0);
    Fill(thumb, 16, 24, 0xFFF0C040);
    Slider slider(&track, &thumb, 3, nullptr);
    slider.Resize(40, 150, 240, 24);
    slider.SetValue(0.3);
    manager.AddChild(&slider);

    EditWidget edit(4, nullptr);
    edit.Resize(40, 200, 240, 24);
    edit.SetText("Edit me");
    manager.AddChild(&edit);
    manager.SetFocusWidget(&edit);

    std::unique_ptr<Font> listFont = MakeControlFont(10, 0);
    ListWidget list(listFont.get(), nullptr);
    ScrollbarWidget scrollbar(&list);
    list.mScrollbar = &scrollbar;
    manager.AddChild(&list);
    manager.AddChild(&scrollbar);
    for (const char* line : {"Amber", "Birch", "Cedar", "Damson", "Elder", "Fir", "Gorse", "Hazel", "Ivy",
                             "Juniper", "Kale", "Larch"})
        list.AddLine(line, true);
    list.Resize(340, 40, 180, 160);
    scrollbar.ResizeScrollbar(520, 40, 16, 160);
    list.SetSelection(2);

    Dialog dialog(5, false, "Widget demo", "One of each control, drawn by the widget manager.", "",
                  DIALOG_MODE_OK_CANCEL);
    manager.AddChild(&dialog);
    dialog.Resize(300, 300, 400, dialog.GetPreferredHeight(400));

    const uint32_t start = platform::tickCount();
    bool running = true;
    while (running && (seconds <= 0 || platform::tickCount() - start < uint32_t(seconds) * 1000))
    {
        platform::Message message;
        while (platform::peekMessage(message))
        {
            if (message.message == platform::WM_CLOSE || message.message == platform::WM_DESTROY)
                running = false;
            DispatchWindowInput(manager, message, window, kWidth, kHeight);
        }
        manager.UpdateWidgets();
        manager.DrawDirtyWidgets();
        window.present(screen.GetBits(), kWidth, kHeight, kWidth * 4);
        platform::sleep(10);
    }
    return 0;
}
