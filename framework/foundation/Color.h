#pragma once

#include <cstdint>

namespace Quib
{

// Components are plain ints meant to lie in 0..255; nothing clamps them, so
// callers may carry intermediate values through a Color.
class Color
{
public:
    constexpr Color() = default;
    // A packed 0xAARRGGBB whose alpha byte is 0 is taken as opaque: resource
    // tables write plain 0xRRGGBB values and mean them to be visible.
    explicit constexpr Color(uint32_t argb)
        : mRed(int((argb >> 16) & 0xFF)), mGreen(int((argb >> 8) & 0xFF)), mBlue(int(argb & 0xFF)),
          mAlpha((argb >> 24) == 0 ? 255 : int(argb >> 24))
    {
    }
    constexpr Color(int red, int green, int blue) : mRed(red), mGreen(green), mBlue(blue) {}
    constexpr Color(int red, int green, int blue, int alpha)
        : mRed(red), mGreen(green), mBlue(blue), mAlpha(alpha)
    {
    }

    static constexpr Color OpaqueCopy(const Color& other)
    {
        return Color(other.mRed, other.mGreen, other.mBlue);
    }

    constexpr int GetRed() const { return mRed; }
    constexpr int GetGreen() const { return mGreen; }
    constexpr int GetBlue() const { return mBlue; }
    constexpr int GetAlpha() const { return mAlpha; }

    // Shifted and or-ed without masking, so out-of-range components bleed into
    // their neighbours exactly as stored colours always have.
    constexpr uint32_t PackARGB() const
    {
        return ((uint32_t(mAlpha) << 8 | uint32_t(mRed)) << 8 | uint32_t(mGreen)) << 8 | uint32_t(mBlue);
    }

    constexpr bool IsWhite() const;

    constexpr bool operator!=(const Color& other) const
    {
        return mRed != other.mRed || mGreen != other.mGreen || mBlue != other.mBlue || mAlpha != other.mAlpha;
    }
    constexpr bool operator==(const Color& other) const { return !(*this != other); }

    static const Color White;
    static const Color Black;

    int mRed = 0;
    int mGreen = 0;
    int mBlue = 0;
    int mAlpha = 255;
};

inline constexpr Color Color::White{255, 255, 255, 255};
inline constexpr Color Color::Black{0, 0, 0, 255};

constexpr bool Color::IsWhite() const
{
    return *this == White;
}

} // namespace Quib
