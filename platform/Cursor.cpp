#include "platform/Cursor.h"

#include <SDL.h>
#include <utility>

namespace platform
{

namespace
{

constexpr int kMaximumCursorSize = 256;

SDL_SystemCursor sdlSystemCursor(SystemCursor kind)
{
    switch (kind)
    {
    case SystemCursor::Arrow:
        return SDL_SYSTEM_CURSOR_ARROW;
    case SystemCursor::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case SystemCursor::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case SystemCursor::No:
        return SDL_SYSTEM_CURSOR_NO;
    case SystemCursor::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case SystemCursor::SizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case SystemCursor::SizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case SystemCursor::SizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case SystemCursor::SizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case SystemCursor::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

} // namespace

Cursor::~Cursor()
{
    if (mCursor)
        SDL_FreeCursor(mCursor);
}

Cursor::Cursor(Cursor&& other) noexcept : mCursor(std::exchange(other.mCursor, nullptr)) {}

Cursor& Cursor::operator=(Cursor&& other) noexcept
{
    if (this != &other)
    {
        if (mCursor)
            SDL_FreeCursor(mCursor);
        mCursor = std::exchange(other.mCursor, nullptr);
    }
    return *this;
}

Cursor Cursor::fromImage(const uint32_t* pixels, int width, int height, int hotX, int hotY)
{
    Cursor cursor;
    if (!pixels || width <= 0 || height <= 0 || width > kMaximumCursorSize || height > kMaximumCursorSize ||
        hotX < 0 || hotY < 0 || hotX >= width || hotY >= height || SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return cursor;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height,
                                                              32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return cursor;
    cursor.mCursor = SDL_CreateColorCursor(surface, hotX, hotY);
    SDL_FreeSurface(surface);
    return cursor;
}

Cursor Cursor::system(SystemCursor kind)
{
    Cursor cursor;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        cursor.mCursor = SDL_CreateSystemCursor(sdlSystemCursor(kind));
    return cursor;
}

void setCursor(const Cursor& cursor)
{
    if (!cursor.mCursor)
        return;
    SDL_SetCursor(cursor.mCursor);
    SDL_ShowCursor(SDL_ENABLE);
}

void showCursor(bool visible)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace platform
