#pragma once

#include "tools/contentgen/Canvas.h"

#include <string>

namespace contentgen
{

// Surface looks of the interface: each is a shader over a box, lit from the top.
Shader woodShader(float top, float height, uint32_t seed, float brightness = 1.0f);
Shader brassShader(float top, float height, float brightness = 1.0f);
Shader paperShader(uint32_t seed, float brightness = 1.0f);
// Dark, fine-grained: the panels that carry white text.
Shader leatherShader(uint32_t seed, float brightness = 1.0f);
Shader glassShader(float top, float height, float brightness = 1.0f);
Shader darkShader(float top, float height, float brightness = 1.0f);
Shader materialShader(const std::string& look, float top, float height, uint32_t seed, float brightness);

// The colour text takes on a material.
Rgba inkFor(const std::string& look);

// Button states: hover lightens and glows, pressed darkens and sinks by a pixel.
float stateBrightness(const std::string& state);

uint32_t seedOf(const std::string& text);

} // namespace contentgen
