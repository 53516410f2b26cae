#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/typewriter/TypewriterKey.h"
#include "game/minigames/typewriter/TypewriterWord.h"

#include <memory>
#include <string>
#include <vector>

// The Morse typewriter: the word shown as Morse cards above 26 letter keys.
class MiniGameTypewriter : public MiniGameWidget
{
public:
    MiniGameTypewriter();
    ~MiniGameTypewriter() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    void Type(char letter);
    void OnResetClicked();
    TypewriterKey* FindKey(char letter);

    TypewriterWord mWord;
    std::vector<Quib::Image*> mMorsePictures;
    std::vector<std::unique_ptr<TypewriterKey>> mKeys;
    int mMorseLetterWidth = 0;
    int mOriginX = 150;
    int mOriginY = 20;
};
