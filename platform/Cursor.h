#pragma once

#include <cstdint>

struct SDL_Cursor;

namespace platform
{

// The desktop's own cursor shapes that the framework chooses from.
enum class SystemCursor
{
    Arrow,
    Hand,
    IBeam,
    No,
    SizeAll,
    SizeNESW,
    SizeNS,
    SizeNWSE,
    SizeWE,
    Wait
};

// A mouse cursor: one of the desktop's shapes, or a colour cursor made from a
// 32-bit 0xAARRGGBB image (straight alpha). Create, set and destroy cursors on
// the main thread only.
class Cursor
{
public:
    Cursor() = default;
    ~Cursor();
    Cursor(Cursor&& other) noexcept;
    Cursor& operator=(Cursor&& other) noexcept;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // An invalid cursor when the image is empty, larger than 256 x 256, or the
    // hot spot lies outside it.
    static Cursor fromImage(const uint32_t* pixels, int width, int height, int hotX, int hotY);
    static Cursor system(SystemCursor kind);

    bool isValid() const { return mCursor != nullptr; }

private:
    friend void setCursor(const Cursor& cursor);
    SDL_Cursor* mCursor = nullptr;
};

// Makes the cursor current over the program's windows and shows it.
void setCursor(const Cursor& cursor);
// Hides or shows the mouse cursor over the program's windows.
void showCursor(bool visible);

} // namespace platform
