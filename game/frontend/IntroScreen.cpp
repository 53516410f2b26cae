#include "game/frontend/IntroScreen.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/SelectProfile.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameClock.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <algorithm>

using namespace steps;

namespace
{

// A letter of text appears every 50 ms; each text then stays for two seconds.
constexpr int kLetterMs = 50;
constexpr int kTextPauseMs = 2000;
constexpr int kBandsMs = 1500;
constexpr int kHeaderMs = 1200;
// Past this the intro is long enough for the main theme to start under its end.
constexpr int64_t kThemeAfterMs = 41999;

} // namespace

IntroScreen::IntroScreen()
{
    const StringTable& strings = StringTable::GetInstance();
    for (const char* key : {"IntroSequenceText_1", "IntroSequenceText_2", "IntroSequenceText_3"})
        mTexts.push_back(strings.Lookup(key));

    mOpening = InOrder(Together(Set(&mBackAlpha, 0), Set(&mTopBandY, -133), Set(&mBottomBandY, 600),
                                Set(&mHeaderX, -160.0f), Set(&mPhotoIndex, 0)),
                       Together(Tween(&mBackAlpha, 255, kBandsMs), Tween(&mTopBandY, 133, kBandsMs),
                                Tween(&mBottomBandY, -133, kBandsMs), Tween(&mHeaderX, 170.0f, kHeaderMs)));
    mClosing = InOrder(
        Together(Set(&mBackAlpha, 255), Set(&mTopBandY, 0), Set(&mBottomBandY, 467), Set(&mHeaderX, 10.0f)),
        Together(Tween(&mBackAlpha, -255, kBandsMs), Tween(&mTopBandY, -133, kBandsMs),
                 Tween(&mBottomBandY, 133, kBandsMs), Tween(&mHeaderX, -170.0f, kHeaderMs)));
    mTextIndex = 0;
    BuildTextSequence();

    for (Quib::Image* photo : {IMAGE_INTRO_PHOTO_1_OLD, IMAGE_INTRO_PHOTO_2_OLD, IMAGE_INTRO_PHOTO_3_OLD,
                               IMAGE_INTRO_PHOTO_4_OLD, IMAGE_INTRO_PHOTO_5_OLD})
        mPhotos.push_back(std::make_unique<AnimatedPicture>(photo, nullptr));
    const std::pair<Quib::Image*, Quib::Image*> coloured[] = {
        {IMAGE_INTRO_PHOTO_1_NEW_GRAY, IMAGE_INTRO_PHOTO_1_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_2_NEW_GRAY, IMAGE_INTRO_PHOTO_2_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_3_NEW_GRAY, IMAGE_INTRO_PHOTO_3_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_4_NEW_GRAY, IMAGE_INTRO_PHOTO_4_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_5_NEW_GRAY, IMAGE_INTRO_PHOTO_5_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_6_NEW_GRAY, IMAGE_INTRO_PHOTO_6_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_7_NEW_GRAY, IMAGE_INTRO_PHOTO_7_NEW_COLOR},
        {IMAGE_INTRO_PHOTO_8_NEW_GRAY, IMAGE_INTRO_PHOTO_8_NEW_COLOR},
    };
    for (const auto& [gray, colour] : coloured)
        mPhotos.push_back(std::make_unique<AnimatedPicture>(gray, colour));

    int letters = 0;
    for (const std::string& text : mTexts)
        letters += int(text.size());
    mPhotoSequence =
        InOrder(Set(&mPhotoIndex, 0), Tween(&mPhotoIndex, int(mPhotos.size()) - 1, letters * kLetterMs));

    if (Quib::MusicInterface* music = SharkInterface::GetInstance()->mMusicInterface.get())
        music->PlayTrack(MUSIC_INTRO_VOICEOVER, 0, true);
    mOpening->Start(this, 0);
    mStartTime = GameClock::GetInstance().GetTime();
}

IntroScreen::~IntroScreen() = default;

void IntroScreen::BuildTextSequence()
{
    mTextLength = int(mTexts[size_t(mTextIndex)].size());
    mTextSequence = InOrder(Set(&mRevealCount, 0), Tween(&mRevealCount, mTextLength, mTextLength * kLetterMs),
                            Wait(kTextPauseMs));
    mRevealed.clear();
}

void IntroScreen::UpdateFraction(float)
{
    if (mFinished)
        return;
    Quib::MusicInterface* music = SharkInterface::GetInstance()->mMusicInterface.get();
    if (GameClock::GetInstance().GetTime() - mStartTime > kThemeAfterMs && music != nullptr &&
        !music->IsTrackPlaying(MUSIC_MAIN_THEME))
        FadeInMusic(MUSIC_MAIN_THEME);
    mOpening->Update();
    mClosing->Update();
    mBackAlpha = std::clamp(mBackAlpha, 0, 255);

    if (mPhase == PHASE_TEXTS)
    {
        mPhotoSequence->Update();
        if (mTextSequence->IsRunning())
        {
            mTextSequence->Update();
            const std::string& text = mTexts[size_t(mTextIndex)];
            mRevealed = text.substr(0, size_t(std::clamp(mRevealCount, 0, int(text.size()))));
            if (mPhotoIndex != mStartedPhoto && mPhotoIndex >= 0 && mPhotoIndex < int(mPhotos.size()))
            {
                mPhotos[size_t(mPhotoIndex)]->Start();
                mStartedPhoto = mPhotoIndex;
            }
        }
        else if (++mTextIndex >= int(mTexts.size()))
        {
            mPhase = PHASE_CLOSING;
            mTextIndex = 0;
            mClosing->Start(this, 1);
            return;
        }
        else
        {
            BuildTextSequence();
            mTextSequence->Start(nullptr, 1);
        }
    }
    for (auto& photo : mPhotos)
        photo->Update();
}

void IntroScreen::OnActionFinished(int id)
{
    if (id == 0)
    {
        mTextSequence->Start(nullptr, 1);
        mPhotoSequence->Start(nullptr, 10);
        mPhase = PHASE_TEXTS;
    }
    else if (id == 1)
    {
        mFinished = true;
        SharkInterface* app = SharkInterface::GetInstance();
        PopGameState(app->mGameStates.get());
        auto* menu = new MainMenu(app->mProfiles.get(), app->mOptions.get());
        PushGameState(menu, app->mGameStates.get());
        if (app->mProfiles == nullptr || app->mProfiles->GetProfileCount() == 0)
        {
            auto* selection = new SelectProfile(true);
            selection->Resize(0, 0, 800, 600);
            PushGameState(selection, app->mGameStates.get());
        }
    }
}

void IntroScreen::Skip()
{
    if (mPhase == PHASE_OPENING || mClosing->IsRunning())
        return;
    mPhase = PHASE_SKIPPED;
    if (Quib::MusicInterface* music = SharkInterface::GetInstance()->mMusicInterface.get())
        music->FadeOutTrack(MUSIC_INTRO_VOICEOVER, true, 0.01);
    mClosing->Start(this, 1);
}

void IntroScreen::OnKeyDown(int)
{
    Skip();
}

void IntroScreen::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 0)
        Skip();
}

void IntroScreen::Draw(Quib::Graphics* g)
{
    if (mPhase == PHASE_CLOSING || mPhase == PHASE_SKIPPED)
        g->DrawImage(IMAGE_INTRO_BACK_COLOR, 0, 0);
    g->SetTintImages(true);
    g->SetColor(Quib::Color(255, 255, 255, mBackAlpha));
    g->DrawImage(IMAGE_INTRO_BACK_GRAY, 0, 0);
    g->SetTintImages(false);

    g->SetColor(Quib::Color(0, 0, 0));
    for (int y : {mTopBandY, mBottomBandY})
    {
        mBand.mY = y;
        g->FillRect(mBand);
    }
    g->SetColor(Quib::Color(255, 255, 255));
    g->DrawImage(IMAGE_INTRO_GNN, int(mHeaderX + 10), (133 - IMAGE_INTRO_GNN->GetHeight()) / 2);
    g->DrawImage(IMAGE_INTRO_FEMALE_CHARACTER, int(mHeaderX), 415);

    if (mPhase == PHASE_TEXTS)
    {
        g->SetFont(FONT_INTRO_SEQUENCE);
        g->SetColor(Quib::Color(255, 255, 255));
        g->DrawStringWrapped(mRevealed, mTextBox, -1, -1);
    }
    if (mPhase != PHASE_SKIPPED)
        for (auto& photo : mPhotos)
            photo->Draw(g);
}
