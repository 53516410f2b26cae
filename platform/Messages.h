#pragma once

#include <cstdint>

namespace platform
{

// One window message as the framework's window procedure sees it. The ids and
// parameter layouts follow the message model the framework was written for, so
// that queueing, demo recording and input handling keep their meaning.
struct Message
{
    uint32_t window = 0; // the id of the platform::Window it belongs to
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;

    bool operator==(const Message&) const = default;
};

constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ENABLE = 0x000A;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
// A minimised window is being restored; an answer of 0 keeps it minimised.
constexpr uint32_t WM_QUERYOPEN = 0x0013;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr uint32_t WM_ENDSESSION = 0x0016;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_DISPLAYCHANGE = 0x007E;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCHAR = 0x0106;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
// The message a second running copy sends to the first (the registered
// "notify" message of the framework; its id lies in the registered range).
constexpr uint32_t WM_INSTANCE_NOTIFY = 0xC001;

// WM_SIZE wParam values.
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// Button state bits carried in the wParam of mouse messages.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;
constexpr uintptr_t MK_MBUTTON = 0x0010;

// Scaled wheel step: one notch of the wheel.
constexpr int WHEEL_DELTA = 120;

// Key message lParam bits.
constexpr intptr_t KF_EXTENDED = intptr_t(1) << 24;
constexpr intptr_t KF_ALTDOWN = intptr_t(1) << 29;
constexpr intptr_t KF_REPEAT = intptr_t(1) << 30;
constexpr intptr_t KF_UP = intptr_t(1) << 31;

// Packs and unpacks the 16-bit halves of message parameters.
constexpr intptr_t makeLParam(int low, int high)
{
    return static_cast<intptr_t>(static_cast<uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr int16_t loWordSigned(intptr_t value)
{
    return static_cast<int16_t>(value & 0xFFFF);
}
constexpr int16_t hiWordSigned(intptr_t value)
{
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}

} // namespace platform
