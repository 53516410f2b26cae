#include "game/minigames/typewriter/MiniGameTypewriter.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <variant>

namespace
{

struct KeyPlace
{
    char letter;
    int x, y;
};

// Top left corners relative to the typewriter picture, in the keyboard's order.
constexpr KeyPlace kKeys[26] = {
    {'Q', 76, 299},  {'W', 107, 299}, {'E', 151, 299}, {'R', 187, 299}, {'T', 222, 299}, {'Y', 257, 299},
    {'U', 292, 299}, {'I', 328, 299}, {'O', 364, 299}, {'P', 396, 299}, {'A', 94, 332},  {'S', 131, 332},
    {'D', 167, 332}, {'F', 204, 332}, {'G', 240, 332}, {'H', 277, 332}, {'J', 313, 332}, {'K', 349, 332},
    {'L', 382, 332}, {'Z', 126, 372}, {'X', 164, 372}, {'C', 202, 372}, {'V', 239, 372}, {'B', 278, 372},
    {'N', 315, 372}, {'M', 353, 372}};

} // namespace

MiniGameTypewriter::MiniGameTypewriter()
{
    mLoaded = LoadGroup("MG_Typewriter", &FetchGroupMgTypewriter);
    if (!mLoaded)
        return;
    Quib::gApp->mResourceManager->UnloadGroup("MG_Rotating");
    std::vector<std::string> words;
    for (int i = 0; i < 10; ++i)
        words.push_back(StringTable::GetInstance().Lookup("MINIGAME_WORD_" + std::to_string(i)));
    mWord = TypewriterWord::Choose(words);
    for (const std::string& problem : mWord.GetProblems())
        Quib::DebugPrintf("typewriter: %s\n", problem.c_str());
    for (int i = 0; i < 26; ++i)
    {
        ResourceValue value = GetResourceById(IMAGE_MG_MORSE_A_ID + i);
        Quib::Image* const* image = std::get_if<Quib::Image*>(&value);
        mMorsePictures.push_back(image != nullptr ? *image : nullptr);
    }
    mMorseLetterWidth = IMAGE_MG_MORSE_A->GetWidth();
    for (const KeyPlace& place : kKeys)
    {
        auto key = std::make_unique<TypewriterKey>(place.letter, this);
        Quib::Image* up = key->mUpPicture;
        key->Resize(mOriginX + place.x, mOriginY + place.y, up ? up->GetWidth() : 0,
                    up ? up->GetHeight() : 0);
        mKeys.push_back(std::move(key));
    }
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    BindReset([this] { OnResetClicked(); });
    mHelpNumber = 4;
}

MiniGameTypewriter::~MiniGameTypewriter()
{
    mKeys.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Typewriter");
}

TypewriterKey* MiniGameTypewriter::FindKey(char letter)
{
    for (auto& key : mKeys)
        if (key->mLetter == letter)
            return key.get();
    return nullptr;
}

void MiniGameTypewriter::OnAttached(Quib::WidgetManager* manager)
{
    for (auto it = mKeys.rbegin(); it != mKeys.rend(); ++it)
        manager->AddChild(it->get());
    MiniGameWidget::OnAttached(manager);
}

void MiniGameTypewriter::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& key : mKeys)
        manager->RemoveChild(key.get());
    MiniGameWidget::OnDetached(manager);
}

void MiniGameTypewriter::Type(char letter)
{
    if (!AcceptsInput())
        return;
    const TypewriterWord::KeyResult result = mWord.Type(letter);
    if (result == TypewriterWord::KeyResult::Refused)
        return;
    PlayMiniGameSound(SFX_MG_TYPEWRITER_TYPING);
    mSolved = result == TypewriterWord::KeyResult::Solved;
    if (mSolved)
        PlayMiniGameSound(SFX_MG_TYPEWRITER_FINISHED);
}

void MiniGameTypewriter::OnResetClicked()
{
    if (IsDimming() || mSolved)
        return;
    mWord.Reset();
}

void MiniGameTypewriter::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
}

void MiniGameTypewriter::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    RequestOverlayDraw(10);
}

void MiniGameTypewriter::DrawOverlay(Quib::Graphics* g)
{
    if (!mLoaded)
        return;
    g->DrawImage(IMAGE_MG_TYPEWRITER_BACK, mOriginX, mOriginY);
    const std::string& typed = mWord.GetTyped();
    g->SetFont(FONT_TYPEWRITER_KEY);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(typed, 410 - FONT_TYPEWRITER_KEY->GetStringWidth(typed) / 2, 180);
    const std::string& word = mWord.GetWord();
    const int length = int(word.size());
    for (int i = 0; i < length; ++i)
    {
        Quib::Image* card = mMorsePictures[size_t(word[size_t(i)] - 'A')];
        if (card != nullptr)
            g->DrawImage(card, 410 - mMorseLetterWidth * length / 2 + i * mMorseLetterWidth, 58);
    }
}
