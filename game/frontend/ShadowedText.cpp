#include "game/frontend/ShadowedText.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

void DrawShadowedString(Quib::Graphics* g, Quib::Font* font, const std::string& text, int x, int y)
{
    if (font == nullptr)
        return;
    g->SetFont(font);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(text, x + 1, y + 1);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(text, x, y);
}

void DrawShadowedCentred(Quib::Graphics* g, Quib::Font* font, const std::string& text, int centreX, int y)
{
    if (font == nullptr)
        return;
    DrawShadowedString(g, font, text, centreX - font->GetStringWidth(text) / 2, y);
}
