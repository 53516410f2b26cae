#include "framework/widgets/WindowInput.h"

#include "framework/widgets/TreeFlags.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Window.h"

namespace Quib
{

void DispatchWindowInput(WidgetManager& manager, const platform::Message& m, const platform::Window& window,
                         int width, int height)
{
    using namespace platform;
    int x = loWordSigned(m.lParam);
    int y = hiWordSigned(m.lParam);
    if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONDBLCLK)
    {
        WindowRect client = window.presentationRect();
        manager.SetMouseMapping(Rect(0, 0, width, height),
                                Rect(client.x, client.y, client.width, client.height));
        manager.MapMousePosition(x, y);
        manager.HandleMouseMove(x, y);
    }
    switch (m.message)
    {
    case WM_LBUTTONDOWN:
        manager.HandleMouseDown(x, y, CLICK_LEFT);
        break;
    case WM_LBUTTONDBLCLK:
        manager.HandleMouseDown(x, y, CLICK_LEFT_DOUBLE);
        break;
    case WM_RBUTTONDOWN:
        manager.HandleMouseDown(x, y, CLICK_RIGHT);
        break;
    case WM_RBUTTONDBLCLK:
        manager.HandleMouseDown(x, y, CLICK_RIGHT_DOUBLE);
        break;
    case WM_MBUTTONDOWN:
        manager.HandleMouseDown(x, y, CLICK_MIDDLE);
        break;
    case WM_LBUTTONUP:
        manager.HandleMouseUp(x, y, CLICK_LEFT);
        break;
    case WM_RBUTTONUP:
        manager.HandleMouseUp(x, y, CLICK_RIGHT);
        break;
    case WM_MBUTTONUP:
        manager.HandleMouseUp(x, y, CLICK_MIDDLE);
        break;
    case WM_MOUSEWHEEL:
        manager.HandleMouseWheel(hiWordSigned(intptr_t(m.wParam)) / WHEEL_DELTA);
        break;
    case WM_KEYDOWN:
        manager.HandleKeyDown(int(m.wParam));
        break;
    case WM_KEYUP:
        manager.HandleKeyUp(int(m.wParam));
        break;
    case WM_CHAR:
        manager.HandleChar(int(m.wParam));
        break;
    default:
        break;
    }
}

} // namespace Quib
