#include "tools/contentgen/Materials.h"

#include <cmath>

namespace contentgen
{

uint32_t seedOf(const std::string& text)
{
    uint32_t h = 2166136261u;
    for (unsigned char c : text)
        h = (h ^ c) * 16777619u;
    return h;
}

Shader woodShader(float top, float height, uint32_t seed, float brightness)
{
    return [=](float x, float y)
    {
        float grain = fractalNoise(x / 90.0f, y / 7.0f, seed, 4);
        float rings = 0.5f + 0.5f * std::sin(grain * 18.0f + x / 40.0f);
        Rgba light = rgb(0x9a6232), dark = rgb(0x5a3216);
        Rgba c = mix(dark, light, 0.35f + 0.45f * rings * grain + 0.2f * grain);
        float t = (y - top) / std::max(1.0f, height);
        return shade(c, brightness * (1.12f - 0.25f * t));
    };
}

Shader brassShader(float top, float height, float brightness)
{
    return [=](float x, float y)
    {
        float t = (y - top) / std::max(1.0f, height);
        Rgba c = t < 0.45f ? mix(rgb(0xfbe7a1), rgb(0xd3a044), t / 0.45f)
                           : mix(rgb(0xc08a32), rgb(0x6e4a14), (t - 0.45f) / 0.55f);
        float brush = 0.96f + 0.06f * valueNoise(x / 3.0f, y / 40.0f, 7);
        return shade(c, brightness * brush);
    };
}

Shader paperShader(uint32_t seed, float brightness)
{
    return [=](float x, float y)
    {
        float n = fractalNoise(x / 40.0f, y / 40.0f, seed, 4);
        Rgba c = mix(rgb(0xf7edd2), rgb(0xdcc698), n * 0.8f);
        return shade(c, brightness);
    };
}

Shader leatherShader(uint32_t seed, float brightness)
{
    return [=](float x, float y)
    {
        float n = fractalNoise(x / 30.0f, y / 30.0f, seed, 4);
        Rgba c = mix(rgb(0x2e2119), rgb(0x1e1510), n);
        return shade(c, brightness);
    };
}

Shader glassShader(float top, float height, float brightness)
{
    return [=](float, float y)
    {
        float t = (y - top) / std::max(1.0f, height);
        Rgba c = mix(rgb(0xcfeaf7, 0.85f), rgb(0x3c7ea3, 0.75f), t);
        if (t < 0.45f)
            c = mix(c, rgb(0xffffff, 0.9f), 0.35f * (1 - t / 0.45f));
        return shade(c, brightness);
    };
}

Shader darkShader(float top, float height, float brightness)
{
    return [=](float, float y)
    {
        float t = (y - top) / std::max(1.0f, height);
        return shade(mix(rgb(0x3a3346), rgb(0x15121c), t), brightness);
    };
}

Shader materialShader(const std::string& look, float top, float height, uint32_t seed, float brightness)
{
    if (look == "brass")
        return brassShader(top, height, brightness);
    if (look == "paper")
        return paperShader(seed, brightness);
    if (look == "leather")
        return leatherShader(seed, brightness);
    if (look == "glass")
        return glassShader(top, height, brightness);
    if (look == "dark")
        return darkShader(top, height, brightness);
    return woodShader(top, height, seed, brightness);
}

Rgba inkFor(const std::string& look)
{
    if (look == "brass")
        return rgb(0x3b2608);
    if (look == "paper")
        return rgb(0x4a2e14);
    return rgb(0xfff3d6);
}

float stateBrightness(const std::string& state)
{
    if (state == "over")
        return 1.22f;
    if (state == "down")
        return 0.78f;
    return 1.0f;
}

} // namespace contentgen
