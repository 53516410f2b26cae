#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace contentgen
{

// A colour with straight alpha, every channel 0 to 1.
struct Rgba
{
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba rgb(uint32_t hex, float alpha = 1.0f);
Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba shade(const Rgba& c, float factor); // factor above 1 lightens, below darkens

// A shape as the signed distance from a point to its edge (negative inside)
// and the box outside which the distance is positive.
struct Distance
{
    std::function<float(float x, float y)> distance;
    float left = 0, top = 0, right = 0, bottom = 0;
    float operator()(float x, float y) const { return distance(x, y); }
};
// The colour of a shape at a point.
using Shader = std::function<Rgba(float x, float y)>;

Distance roundRect(float x, float y, float w, float h, float radius);
Distance ellipse(float cx, float cy, float rx, float ry);
Distance capsule(float x0, float y0, float x1, float y1, float radius);
Distance polygon(std::vector<std::pair<float, float>> points);

// Deterministic smooth noise in 0..1, lattice spacing 1.
float valueNoise(float x, float y, uint32_t seed);
// Sum of octaves of valueNoise, 0..1.
float fractalNoise(float x, float y, uint32_t seed, int octaves);

// A picture being drawn: pixels 0xAARRGGBB with straight alpha, drawn with
// anti-aliased shapes from signed distances.
class Canvas
{
public:
    Canvas() = default;
    Canvas(int width, int height);

    int width() const { return mWidth; }
    int height() const { return mHeight; }
    uint32_t* pixels() { return mPixels.data(); }
    const uint32_t* pixels() const { return mPixels.data(); }
    uint32_t at(int x, int y) const { return mPixels[size_t(y) * size_t(mWidth) + size_t(x)]; }

    void blend(int x, int y, const Rgba& c, float coverage);
    void fill(const Rgba& c);
    void fill(const Shader& shader);
    // Fills where the distance is below 0, with a one-pixel soft edge; a
    // softness above 1 blurs the edge (for shadows and glows).
    void fillShape(const Distance& distance, const Shader& shader, float softness = 1.0f);
    void fillShape(const Distance& distance, const Rgba& colour, float softness = 1.0f);
    // A band of the given width along the shape's edge, inside it.
    void strokeShape(const Distance& distance, float width, const Rgba& colour);
    // A shadow under a shape, offset and blurred.
    void shadow(const Distance& distance, float dx, float dy, float blur, float opacity);

    // Source-over of another picture, scaled to the rectangle with the framework's filtered stretch.
    void draw(const Canvas& source, int x, int y, int w, int h, float opacity = 1.0f);
    void draw(const Canvas& source, int x, int y, float opacity = 1.0f);

    // Text in a DejaVu face; (x, y) is the top-left of the text cell, or its
    // top centre when centred.
    void text(const std::string& text, const std::string& face, int pixels, float x, float y,
              const Rgba& colour, bool centred);
    // Text with a dark drop shadow under it.
    void shadowedText(const std::string& text, const std::string& face, int pixels, float x, float y,
                      const Rgba& colour, bool centred);
    // One character by its code point, the top-left of its cell at (x, y).
    void glyph(char32_t codePoint, const std::string& face, int pixels, float x, float y, const Rgba& colour);
    static int textWidth(const std::string& text, const std::string& face, int pixels);

    void toGray();
    void toSepia();

    // The picture turned by `degrees` (clockwise) about its centre, at the same
    // size; what turns past the edges is lost.
    Canvas turned(float degrees) const;

    // A rectangle of this picture as a picture of its own; outside it stays transparent.
    Canvas crop(int x, int y, int w, int h) const;
    void paste(const Canvas& cell, int x, int y); // plain copy, no blending

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint32_t> mPixels;
};

} // namespace contentgen
