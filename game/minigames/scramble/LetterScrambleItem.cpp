#include "game/minigames/scramble/LetterScrambleItem.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "game/minigames/scramble/LetterScramble.h"
#include "game/shell/Resources.h"

LetterScrambleItem::LetterScrambleItem(int index, LetterScramble* game) : mIndex(index), mGame(game) {}

void LetterScrambleItem::Draw(Quib::Graphics* g)
{
    if (mGame->mBoard.IsSelected(mIndex))
    {
        g->SetColor(Quib::Color(230, 230, 80, 160));
        g->FillRect(1, 2, mWidth - 4, mHeight - 4);
    }
    const std::string letter(1, mGame->mBoard.GetLetter(mIndex));
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(letter, mWidth / 2 - FONT_BUTTON_LABELS->GetStringWidth(letter) / 2, 8 + mHeight / 2);
}

void LetterScrambleItem::OnMouseButtonDown(int, int, int, int)
{
    mGame->SelectTile(mIndex);
}
