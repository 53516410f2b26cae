#include "game/frontend/MainMenu.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/BonusScreen.h"
#include "game/frontend/CustomLoadingScreen.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/SelectProfile.h"
#include "game/frontend/WoodenButton.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/records/OptionsData.h"
#include "game/records/ProfileList.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kButtonStartX = 850;
constexpr int kProfileStartX = 840;
constexpr int kProfileSlide = 380;
constexpr int kButtonCount = 6;

std::unique_ptr<MenuItem> MakeMainButton(const char* labelKey, int y)
{
    return MakeWoodenButton(labelKey, kButtonStartX, y, 38);
}

std::unique_ptr<Quib::Image> LoadLogo(const char* name)
{
    return std::unique_ptr<Quib::Image>(Quib::gApp->LoadImage(Quib::GetCurrentFolder() + name, 1));
}

} // namespace

MainMenu::MainMenu(ProfileList* profiles, OptionsData* options) : mProfiles(profiles), mOptions(options)
{
    Resize(0, 0, 800, 600);
    mFrontCloudSource = Quib::Rect(0, 0, 800, IMAGE_MAIN_MENU_CLOUDS_FRONT->GetHeight());
    mBackCloudSource = Quib::Rect(0, 0, 800, IMAGE_MAIN_MENU_CLOUDS_BACK->GetHeight());
    mMakerLogo = LoadLogo("\\content\\images\\menu\\MainMenuTrelvansLogo.png");
    mSecondLogo = LoadLogo("\\content\\images\\menu\\MainMenuSecondLogo.png");
    BuildParticles();
    BuildButtons();
    BuildSequences();
    // Without any profile the profile selection opens over the menu, which
    // slides in once that screen is gone.
    if (mProfiles == nullptr || mProfiles->GetProfileCount() == 0)
        return;
    mSlideIn->Start(this, 0);
    mTitleSlideIn->Start(nullptr, 10);
}

MainMenu::~MainMenu() = default;

void MainMenu::BuildParticles()
{
    struct Plume
    {
        int x, y, size;
        float growth;
    };
    // Three chimneys of the foreground, from the nearest to the farthest.
    mParticles.mBounds = Quib::Rect(-200, 0, 600, 600);
    for (const Plume& plume : {Plume{236, 254, 10, 2.0f}, Plume{166, 274, 7, 1.3f}, Plume{109, 292, 4, 0.6f}})
    {
        auto emitter =
            std::make_unique<ParticleEmitter>(&mParticles, plume.x, plume.y, plume.size, plume.size);
        emitter->mGrowth = plume.growth;
        mParticles.AddEmitter(std::move(emitter));
    }
}

void MainMenu::BuildButtons()
{
    const int h = IMAGE_BUTTON_MAIN_MENU->GetHeight();
    mPlayButton = MakeMainButton("BTN_MAIN_PLAY", 280);
    mOptionsButton = MakeMainButton("BTN_MAIN_OPTIONS", 278 + h);
    mPuzzlesButton = MakeMainButton("BTN_MAIN_PUZZLES", 276 + 2 * h);
    mBonusButton = MakeMainButton("BTN_MAIN_BONUS", 274 + 3 * h);
    mExitButton = MakeMainButton("BTN_MAIN_EXIT", 272 + 4 * h);
    MenuItemLook layout;
    layout.label = StringTable::GetInstance().Lookup("LBL_MAIN_CLICK_HERE");
    layout.labelY = 19;
    mProfileButton = CreateMenuItem(layout, nullptr);
    mProfileButton->Resize(kProfileStartX, 38, 280, 26);

    mPlayButton->mOnClick = [this] { OnPlayClicked(); };
    mOptionsButton->mOnClick = [this] { OnOptionsClicked(); };
    mPuzzlesButton->mOnClick = [this] { OnPuzzlesClicked(); };
    mBonusButton->mOnClick = [this] { OnBonusClicked(); };
    mExitButton->mOnClick = [this] { OnExitClicked(); };
    mProfileButton->mOnClick = [this] { OnProfileClicked(); };
}

MenuItem* MainMenu::Buttons(int index) const
{
    MenuItem* const buttons[kButtonCount] = {mPlayButton.get(),  mOptionsButton.get(), mPuzzlesButton.get(),
                                             mBonusButton.get(), mExitButton.get(),    mProfileButton.get()};
    return buttons[index];
}

void MainMenu::BuildSequences()
{
    using namespace steps;
    const int slide = IMAGE_BUTTON_MAIN_MENU->GetWidth() + 60;
    MenuItem* const following[] = {mOptionsButton.get(), mPuzzlesButton.get(), mBonusButton.get(),
                                   mExitButton.get()};

    auto reset = std::make_unique<ParalelAction>();
    for (int i = 0; i < kButtonCount - 1; ++i)
        reset->Append(Set(&Buttons(i)->mX, kButtonStartX));
    reset->Append(Set(&mProfileButton->mX, kProfileStartX));
    mSlideIn = InOrder(std::move(reset), Together(Tween(&mPlayButton->mX, -slide, 200),
                                                  Tween(&mProfileButton->mX, -kProfileSlide, 200)));
    mSlideOut = InOrder(
        Together(Tween(&mPlayButton->mX, slide, 200), Tween(&mProfileButton->mX, kProfileSlide, 200)));
    for (MenuItem* button : following)
    {
        mSlideIn->Append(Wait(10));
        mSlideIn->Append(Tween(&button->mX, -slide, 200));
        mSlideOut->Append(Wait(10));
        mSlideOut->Append(Tween(&button->mX, slide, 200));
    }

    mTitleSlideIn = InOrder(Set(&mTitleX, -400), Tween(&mTitleX, 469, 400));
    mTitleSlideOut = InOrder(Tween(&mTitleX, -340, 400));
    mFrontCloudLoop = std::make_unique<LoopAction>(
        InOrder(Set(&mFrontCloudOffset, 800), Tween(&mFrontCloudOffset, -800, 36000)));
    mBackCloudLoop = std::make_unique<LoopAction>(
        InOrder(Set(&mBackCloudOffset, 800), Tween(&mBackCloudOffset, -800, 48000)));
    mFadeToBlack = InOrder(Set(&mFadeColor.mAlpha, 0), Tween(&mFadeColor.mAlpha, 255, 200));
    mFadeFromBlack = InOrder(Set(&mFadeColor.mAlpha, 255), Tween(&mFadeColor.mAlpha, -255, 200));
}

bool MainMenu::HasProfile() const
{
    return mProfiles != nullptr && mProfiles->GetCurrentProfile() != nullptr;
}

void MainMenu::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    for (int i = 0; i < kButtonCount; ++i)
        manager->AddChild(Buttons(i));
    mFrontCloudLoop->Start(nullptr, 20);
    mBackCloudLoop->Start(nullptr, 21);
}

void MainMenu::OnDetached(Quib::WidgetManager* manager)
{
    for (int i = 0; i < kButtonCount; ++i)
        manager->RemoveChild(Buttons(i));
    ScreenBase::OnDetached(manager);
}

void MainMenu::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
    SharkInterface* app = SharkInterface::GetInstance();
    Quib::MusicInterface* music = app->mMusicInterface.get();
    if (music == nullptr || music->IsTrackPlaying(MUSIC_MAIN_THEME))
        return;
    if (mOptions != nullptr)
        app->SetMusicVolume(mOptions->GetMusicVolume());
    FadeInMusic(MUSIC_MAIN_THEME);
    if (mOptions != nullptr)
        app->PlayLoopSound(mOptions->GetAmbientVolume(), AMBIENT_SOUND_2);
}

void MainMenu::OnCovered(GameStateStack*) {}

void MainMenu::OnUncovered(GameStateStack*)
{
    if (mChoice == CHOICE_STARTING)
    {
        mFadeColor.mAlpha = 255;
        mFadeFromBlack->Start(nullptr, 51);
    }
    if (mChoice == CHOICE_PLAY)
        return;
    mSlideIn->Start(this, 0);
    if (mChoice != CHOICE_BACK)
        mTitleSlideIn->Start(nullptr, 0);
}

void MainMenu::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    mParticles.Update();
    for (Action* action :
         {static_cast<Action*>(mFadeToBlack.get()), static_cast<Action*>(mSlideIn.get()),
          static_cast<Action*>(mTitleSlideIn.get()), static_cast<Action*>(mFadeFromBlack.get()),
          static_cast<Action*>(mSlideOut.get()), static_cast<Action*>(mTitleSlideOut.get()),
          static_cast<Action*>(mFrontCloudLoop.get()), static_cast<Action*>(mBackCloudLoop.get())})
        action->Update();
    mFrontCloudSource.mX = 800 - mFrontCloudOffset;
    mFrontCloudSource.mWidth = mFrontCloudOffset;
    mBackCloudSource.mX = 800 - mBackCloudOffset;
    mBackCloudSource.mWidth = mBackCloudOffset;
}

void MainMenu::Draw(Quib::Graphics* g)
{
    g->SetTintImages(true);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImage(IMAGE_MAIN_MENU_BACK_BASE, 0, 0);
    g->DrawImage(IMAGE_MAIN_MENU_CLOUDS_BACK, mBackCloudOffset, 100);
    g->DrawImage(IMAGE_MAIN_MENU_CLOUDS_BACK, 0, 100, mBackCloudSource);
    g->DrawImage(IMAGE_MAIN_MENU_CLOUDS_FRONT, mFrontCloudOffset, 100);
    g->DrawImage(IMAGE_MAIN_MENU_CLOUDS_FRONT, 0, 100, mFrontCloudSource);
    g->DrawImage(IMAGE_MAIN_MENU_TITLE, mTitleX, 18);
    mParticles.Draw(g);
    g->SetTintImages(true);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImage(IMAGE_MAIN_MENU_HALVORA, 0, 0);
    if (mMakerLogo)
        g->DrawImage(mMakerLogo.get(), 570 - mExitButton->mX, 516);
    if (mSecondLogo)
        g->DrawImage(mSecondLogo.get(), 674 - mExitButton->mX, 516);
    g->SetTintImages(false);
    if (mFadeColor.mAlpha > 0)
    {
        g->SetColor(mFadeColor);
        g->FillRect(0, 0, 800, 600);
    }
    DrawWelcomeLine(g);
}

void MainMenu::DrawWelcomeLine(Quib::Graphics* g)
{
    if (!HasProfile() || FONT_BUTTON_LABELS == nullptr)
        return;
    const std::string line =
        StringTable::GetInstance().Lookup("LBL_MAIN_WELCOME") + mProfiles->GetCurrentProfile()->mName;
    const int width = FONT_BUTTON_LABELS->GetStringWidth(line);
    const MenuItem& p = *mProfileButton;
    const int x = p.mX + p.mWidth / 2 - width / 2;
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(line, x + 1, p.mY - 5);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(line, x, p.mY - 6);
}

void MainMenu::Choose(int choice)
{
    if (mSlideIn->IsRunning() || mSlideOut->IsRunning())
        return;
    mChoice = choice;
    mSlideOut->Start(this, 1);
    if (choice != CHOICE_PLAY)
        mTitleSlideOut->Start(nullptr, 0);
}

void MainMenu::OnPlayClicked()
{
    // Playing needs a profile to play with: without one the player is led to make one.
    Choose(HasProfile() ? CHOICE_PLAY : CHOICE_PROFILE);
}

void MainMenu::OnOptionsClicked()
{
    Choose(CHOICE_OPTIONS);
}

void MainMenu::OnPuzzlesClicked()
{
    Choose(CHOICE_PUZZLES);
}

void MainMenu::OnBonusClicked()
{
    Choose(CHOICE_BONUS);
}

void MainMenu::OnExitClicked()
{
    Choose(CHOICE_EXIT);
}

void MainMenu::OnProfileClicked()
{
    Choose(CHOICE_PROFILE);
}

void MainMenu::AskQuestion(const char* textKey, int32_t dialogId)
{
    auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup(textKey), dialogId,
                                    CustomDialog::BUTTONS_YES_NO, true, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->SetListener(this);
    PushGameState(dialog, mStack);
}

void MainMenu::OpenProfileSelection()
{
    auto* selection = new SelectProfile(false);
    selection->Resize(0, 0, 800, 600);
    // Without a current player the first line stays selected, so that Done always chooses one.
    if (HasProfile())
        selection->SelectLine(mProfiles->GetCurrentProfileIndex());
    PushGameState(selection, mStack);
}

void MainMenu::StartGame()
{
    mChoice = CHOICE_STARTING;
    mFadeToBlack->Start(this, 2);
}

void MainMenu::OnActionFinished(int id)
{
    if (id == 2 && mChoice == CHOICE_STARTING)
    {
        auto* loading = new CustomLoadingScreen();
        loading->Resize(0, 0, 800, 600);
        SharkInterface::GetInstance()->mWidgetManager->AddChild(loading);
        return;
    }
    if (id != 1)
        return;
    PlayerProfile* profile = mProfiles != nullptr ? mProfiles->GetCurrentProfile() : nullptr;
    if (mChoice == CHOICE_OPTIONS && mOptions != nullptr)
    {
        auto* options = new OptionsScreen(mOptions, true);
        options->Resize(0, 0, 800, 600);
        PushGameState(options, mStack);
    }
    else if (mChoice == CHOICE_PLAY && profile != nullptr)
    {
        if (profile->mGameInProgress)
        {
            AskQuestion("LBL_MAIN_RESUME_CURRENT_GAME", DIALOG_RESUME);
            return;
        }
        profile->ResetAll(SharkInterface::GetInstance()->GetLevelPreparationSource());
        StartGame();
    }
    else if (mChoice == CHOICE_PUZZLES)
    {
        auto* gallery = new PuzzleScreen(profile, mOptions != nullptr && mOptions->mGameCompleted);
        gallery->Resize(0, 0, 800, 600);
        PushGameState(gallery, mStack);
    }
    else if (mChoice == CHOICE_BONUS)
    {
        auto* gallery = new BonusScreen(mProfiles != nullptr ? mProfiles->GetCurrentProfile() : nullptr,
                                        mOptions != nullptr && mOptions->mGameCompleted);
        gallery->Resize(0, 0, 800, 600);
        PushGameState(gallery, mStack);
    }
    else if (mChoice == CHOICE_PROFILE)
    {
        OpenProfileSelection();
    }
    else if (mChoice == CHOICE_EXIT)
    {
        AskQuestion("LBL_MAIN_EXIT_THE_GAME", DIALOG_EXIT);
    }
    else
    {
        // A choice without the record it needs (no options, no player) brings
        // the buttons back rather than leaving the menu empty.
        OnUncovered(mStack);
    }
}

void MainMenu::OnDialogClosed(int32_t dialogId, int32_t result)
{
    if (dialogId == DIALOG_NEW_GAME && result == CustomDialog::RESULT_NO)
        mChoice = CHOICE_BACK;
    PopGameState(mStack);
    PlayerProfile* profile = mProfiles != nullptr ? mProfiles->GetCurrentProfile() : nullptr;
    if (dialogId == DIALOG_EXIT)
    {
        if (result == CustomDialog::RESULT_YES)
        {
            FadeOutMusic(MUSIC_MAIN_THEME);
            SharkInterface::GetInstance()->Quit(true);
        }
        return;
    }
    if (dialogId == DIALOG_RESUME && result == CustomDialog::RESULT_NO)
    {
        AskQuestion("LBL_MAIN_CONTINUE_OR_NEW_GAME", DIALOG_NEW_GAME);
        return;
    }
    if (dialogId == DIALOG_NEW_GAME)
    {
        if (result == CustomDialog::RESULT_NO || profile == nullptr)
            return;
        profile->Reset(SharkInterface::GetInstance()->GetLevelPreparationSource());
        profile->ClearWallpaperUnlocks();
    }
    StartGame();
}
