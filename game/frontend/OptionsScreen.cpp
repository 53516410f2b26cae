#include "game/frontend/OptionsScreen.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/MusicInterface.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/SoundPlayer.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/CreditsScreen.h"
#include "game/frontend/DialogPanel.h"
#include "game/frontend/ScoresScreen.h"
#include "game/frontend/ShadowedText.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/records/OptionsData.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <cstdio>

namespace
{

constexpr int kControlCount = 7;
constexpr int kMaxDim = 200;

std::unique_ptr<MenuItem> MakeOptionsButton(const char* labelKey, int y)
{
    MenuItemLook layout;
    layout.x = 800;
    layout.y = y;
    layout.label = StringTable::GetInstance().Lookup(labelKey);
    layout.labelY = 23;
    layout.hoverPicture = IMAGE_BUTTON_OPTIONS_OVER;
    layout.pressedPicture = IMAGE_BUTTON_OPTIONS_OVER;
    auto button = CreateMenuItem(layout, IMAGE_BUTTON_OPTIONS_NORMAL);
    button->mOverlayPriority = 2;
    return button;
}

GameStateStack* Stack()
{
    return SharkInterface::GetInstance()->mGameStates.get();
}

} // namespace

OptionsScreen::OptionsScreen(OptionsData* options, bool fromMainMenu)
    : mOptions(options), mFromMainMenu(fromMainMenu)
{
    mLoaded = MiniGameWidget::LoadGroup("Options", &FetchGroupOptions);
    if (!mLoaded)
        return;
    BuildControls();
    BuildSlides();
}

OptionsScreen::~OptionsScreen()
{
    if (!mLoaded)
        return;
    mOkButton.reset();
    mCreditsButton.reset();
    mScoresButton.reset();
    mMusicSlider.reset();
    mSoundSlider.reset();
    mAmbientSlider.reset();
    mFullscreenBox.reset();
    Quib::gApp->mResourceManager->UnloadGroup("Options");
}

void OptionsScreen::BuildControls()
{
    mOkButton = MakeOptionsButton("BTN_DIALOG_OK", 496);
    mCreditsButton = MakeOptionsButton("BTN_OPTIONS_CREDITS", 424);
    mScoresButton = MakeOptionsButton("LBL_HIGHSCORES", 460);
    mOkButton->mOnClick = [this] { OnOkClicked(); };
    mCreditsButton->mOnClick = [this] { OnCreditsClicked(); };
    mScoresButton->mOnClick = [this] { OnScoresClicked(); };

    const int trackWidth = IMAGE_SLIDER_TRACK->GetWidth();
    const int trackHeight = IMAGE_SLIDER_TRACK->GetHeight();
    struct SliderPlace
    {
        std::unique_ptr<CustomSlider>& slider;
        int id, y;
        double volume;
    };
    for (const SliderPlace& place :
         {SliderPlace{mMusicSlider, SLIDER_MUSIC, 190, mOptions->mMusicVolume},
          SliderPlace{mSoundSlider, SLIDER_SOUND, 250, mOptions->mSoundVolume},
          SliderPlace{mAmbientSlider, SLIDER_AMBIENT, 310, mOptions->mAmbientVolume}})
    {
        place.slider = std::make_unique<CustomSlider>(IMAGE_SLIDER_TRACK, IMAGE_SLIDER_THUMB, place.id, this);
        place.slider->mPressListener = this;
        place.slider->Resize(800, place.y, trackWidth, trackHeight);
        place.slider->SetValue(place.volume);
    }

    // The box shows the mode in use, whatever the record held before.
    mOptions->mFullscreen = !SharkInterface::GetInstance()->IsWindowedMode();
    mFullscreenBox =
        std::make_unique<Quib::Checkbox>(IMAGE_CHECK_OFF, IMAGE_CHECK_ON, kFullscreenBoxId, this);
    mFullscreenBox->Resize(800, 370, IMAGE_CHECK_ON->GetWidth(), IMAGE_CHECK_ON->GetHeight());
    mFullscreenBox->SetChecked(mOptions->mFullscreen, false);
}

Quib::Widget* OptionsScreen::Control(int index) const
{
    Quib::Widget* const controls[kControlCount] = {
        mMusicSlider.get(), mSoundSlider.get(),   mAmbientSlider.get(), mFullscreenBox.get(),
        mOkButton.get(),    mCreditsButton.get(), mScoresButton.get()};
    return controls[index];
}

void OptionsScreen::BuildSlides()
{
    using namespace steps;
    const int buttonSlide = (400 - IMAGE_BUTTON_OPTIONS_NORMAL->GetWidth() / 2) - 800;
    const int sliderSlide = -(IMAGE_SLIDER_TRACK->GetWidth() / 2 + 400);
    const int boxSlide = -(mFullscreenBox->mWidth / 2 + 400);
    const int panelSlide = -(IMAGE_GUI_DIALOG->GetWidth() / 2 + 400);
    const int slides[kControlCount] = {sliderSlide, sliderSlide, sliderSlide, boxSlide,
                                       buttonSlide, buttonSlide, buttonSlide};

    auto reset = std::make_unique<ParalelAction>();
    auto in = std::make_unique<ParalelAction>();
    mSlideOut = std::make_unique<ParalelAction>();
    for (int i = 0; i < kControlCount; ++i)
    {
        reset->Append(Set(&Control(i)->mX, 800));
        in->Append(Tween(&Control(i)->mX, slides[i], 200));
        mSlideOut->Append(Tween(&Control(i)->mX, -slides[i], 200));
    }
    reset->Append(Set(&mPanelX, 800));
    in->Append(Tween(&mPanelX, panelSlide, 200));
    mSlideOut->Append(Tween(&mPanelX, -panelSlide, 200));
    mSlideIn = InOrder(std::move(reset), std::move(in));
    if (mFromMainMenu)
    {
        mDimIn = InOrder(Set(&mDimColor.mAlpha, 0), Tween(&mDimColor.mAlpha, kMaxDim, 200));
        mDimOut = InOrder(Set(&mDimColor.mAlpha, kMaxDim), Tween(&mDimColor.mAlpha, -kMaxDim, 200));
    }
}

void OptionsScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    if (!mLoaded)
        return;
    for (int i = 0; i < kControlCount; ++i)
        manager->AddChild(Control(i));
    mSlideIn->Start(this, 0);
    if (mFromMainMenu)
        mDimIn->Start(nullptr, -1);
}

void OptionsScreen::OnDetached(Quib::WidgetManager* manager)
{
    if (mLoaded)
    {
        for (int i = 0; i < kControlCount; ++i)
            manager->RemoveChild(Control(i));
    }
    ScreenBase::OnDetached(manager);
}

void OptionsScreen::OnCovered(GameStateStack*) {}

void OptionsScreen::OnUncovered(GameStateStack*)
{
    mSubScreenOpen = false;
    if (mLoaded)
        mSlideIn->Start(this, 0);
}

void OptionsScreen::OnSliderValue(int id, double value)
{
    SharkInterface* app = SharkInterface::GetInstance();
    if (id == SLIDER_MUSIC)
    {
        mOptions->mMusicVolume = value;
        if (app->mMusicInterface)
            app->mMusicInterface->SetMusicVolume(value);
    }
    else if (id == SLIDER_SOUND)
    {
        mOptions->mSoundVolume = value;
    }
    else if (id == SLIDER_AMBIENT)
    {
        mOptions->mAmbientVolume = value;
        if (app->mSoundPlayer)
            app->mSoundPlayer->SetAllLoopsVolume(value);
    }
    // The full-screen choice waits for OK: switching the display under a
    // dragged thumb would rebuild the window in the middle of the drag.
}

void OptionsScreen::OnSliderReleased(int id)
{
    SharkInterface* app = SharkInterface::GetInstance();
    if (id == SLIDER_SOUND)
        app->PlaySoundEffectAtVolume(SFX_SLIDER, mOptions->mSoundVolume);
    else if (id == SLIDER_AMBIENT)
        app->PlaySoundEffectAtVolume(SFX_SLIDER, mOptions->mAmbientVolume);
}

void OptionsScreen::OnCheckboxToggled(int, bool checked)
{
    SharkInterface::GetInstance()->PlaySoundEffect(SFX_CHECKBOX);
    mOptions->mFullscreen = checked;
}

void OptionsScreen::Choose(int choice)
{
    if (!mLoaded || mSlideIn->IsRunning() || mSlideOut->IsRunning())
        return;
    mChoice = choice;
    mSlideOut->Start(this, 1);
    if (choice == CHOICE_OK && mFromMainMenu)
        mDimOut->Start(nullptr, -2);
}

void OptionsScreen::OnOkClicked()
{
    Choose(CHOICE_OK);
}

void OptionsScreen::OnCreditsClicked()
{
    Choose(CHOICE_CREDITS);
}

void OptionsScreen::OnScoresClicked()
{
    Choose(CHOICE_SCORES);
}

void OptionsScreen::OnActionFinished(int id)
{
    if (id != 1)
        return;
    if (mChoice == CHOICE_OK)
    {
        mOptions->ApplyScreenMode(*SharkInterface::GetInstance());
        PopGameState(Stack());
        return;
    }
    mSubScreenOpen = true;
    ScreenBase* next = mChoice == CHOICE_CREDITS ? static_cast<ScreenBase*>(new CreditsScreen(false))
                                                 : static_cast<ScreenBase*>(new ScoresScreen(false));
    next->Resize(0, 0, 800, 600);
    PushGameState(next, Stack());
}

void OptionsScreen::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    mSlideIn->Update();
    mSlideOut->Update();
    if (mFromMainMenu)
    {
        mDimIn->Update();
        mDimOut->Update();
    }
}

void OptionsScreen::SyncControls()
{
    // A press on the track moves the thumb without a value; it goes back to the stored volume here.
    const std::pair<CustomSlider*, double> sliders[] = {{mMusicSlider.get(), mOptions->mMusicVolume},
                                                        {mSoundSlider.get(), mOptions->mSoundVolume},
                                                        {mAmbientSlider.get(), mOptions->mAmbientVolume}};
    for (const auto& [slider, volume] : sliders)
    {
        if (slider->mVal != volume)
            slider->SetValue(volume);
    }
    if (mFullscreenBox->IsChecked() != mOptions->mFullscreen)
        mFullscreenBox->SetChecked(mOptions->mFullscreen, false);
}

void OptionsScreen::Draw(Quib::Graphics* g)
{
    if (mDimColor.mAlpha > 0)
    {
        g->SetColor(mDimColor);
        g->FillRect(0, 0, mWidth, mHeight);
    }
    if (!mLoaded || mSubScreenOpen)
        return;
    SyncControls();
    g->DrawImage(IMAGE_GUI_DIALOG, mPanelX, 42);
    const std::string title = StringTable::GetInstance().Lookup("LBL_OPTIONS_SCREEN_NAME");
    const int titleX =
        IMAGE_GUI_DIALOG->GetWidth() / 2 + mPanelX - FONT_BUTTON_LABELS->GetStringWidth(title) / 2;
    DrawShadowedString(g, FONT_BUTTON_LABELS, title, titleX, 123);
    DrawLabels(g);
    char version[32];
    std::snprintf(version, sizeof version, "v1.%s", "6090");
    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(version, VersionX(), 555);
}

int OptionsScreen::VersionX() const
{
    return 528 + mPanelX - (400 - IMAGE_GUI_DIALOG->GetWidth() / 2);
}

void OptionsScreen::DrawLabels(Quib::Graphics* g)
{
    StringTable& strings = StringTable::GetInstance();
    struct Label
    {
        std::string text;
        const Quib::Widget* control;
        int rise;
    };
    const Label labels[] = {{strings.Lookup("LBL_OPTIONS_MUSIC_VOLUME"), mMusicSlider.get(), 15},
                            {strings.Lookup("LBL_OPTIONS_SOUND_VOLUME"), mSoundSlider.get(), 15},
                            {strings.Lookup("LBL_OPTIONS_AMBIENT_VOLUME"), mAmbientSlider.get(), 15},
                            {strings.Lookup("LBL_OPTIONS_FULLSCREEN"), mFullscreenBox.get(), 5}};
    g->SetFont(FONT_ITEM_LABELS);
    // All shadows first, then all texts, so no shadow falls over a neighbouring label.
    for (const Quib::Color& color : {Quib::Color(0, 0, 0, 255), Quib::Color(255, 255, 255, 255)})
    {
        const int shift = color.mRed == 0 ? 1 : 0;
        g->SetColor(color);
        for (const Label& label : labels)
        {
            const int x = label.control->mX + label.control->mWidth / 2 -
                          FONT_ITEM_LABELS->GetStringWidth(label.text) / 2;
            g->DrawString(label.text, x + shift, label.control->mY - label.rise + shift);
        }
    }
}
