#include "game/minigames/wave/OscilloscopeMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

namespace
{

struct Knob
{
    int x;
    int y;
    int labelX;
    const char* label;
};
constexpr std::array<Knob, 3> kKnobs{
    {{108, 338, 120, "Frequency"}, {205, 338, 219, "Amplitude"}, {302, 338, 332, "Phase"}}};

} // namespace

OscilloscopeMiniGame::OscilloscopeMiniGame()
{
    mLoaded = LoadGroup("MG_Osciloscope", &FetchGroupMgOsciloscope);
    if (!mLoaded)
        return;
    BindReset([this] { OnResetClicked(); });
    std::unique_ptr<CustomSlider>* sliders[3] = {&mFrequencySlider, &mAmplitudeSlider, &mPhaseSlider};
    for (int id = 0; id < 3; ++id)
    {
        auto slider =
            std::make_unique<CustomSlider>(IMAGE_MG_OSC_SLIDER_RAIL, IMAGE_MG_OSC_SLIDER_POINTER, id, this);
        slider->mPressListener = this;
        slider->Resize(250 + 100 * id, 500, IMAGE_MG_OSC_SLIDER_RAIL->GetWidth(),
                       IMAGE_MG_OSC_SLIDER_RAIL->GetHeight());
        slider->SetValue(mWave.GetSliderValue(id));
        *sliders[id] = std::move(slider);
    }
    mHelpNumber = WaveSettings::kHelpNumber;
}

OscilloscopeMiniGame::~OscilloscopeMiniGame()
{
    mFrequencySlider.reset();
    mAmplitudeSlider.reset();
    mPhaseSlider.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Osciloscope");
}

std::array<CustomSlider*, 3> OscilloscopeMiniGame::Sliders() const
{
    return {mFrequencySlider.get(), mAmplitudeSlider.get(), mPhaseSlider.get()};
}

void OscilloscopeMiniGame::PlaceSliders(int y)
{
    for (int id = 0; id < 3; ++id)
        if (CustomSlider* slider = Sliders()[size_t(id)])
            slider->Move(250 + 100 * id, y);
}

void OscilloscopeMiniGame::Move(int x, int y)
{
    MiniGameWidget::Move(x, y);
    PlaceSliders(460);
}

void OscilloscopeMiniGame::OnAttached(Quib::WidgetManager* manager)
{
    for (CustomSlider* slider : Sliders())
        if (slider != nullptr)
            manager->AddChild(slider);
    MiniGameWidget::OnAttached(manager);
}

void OscilloscopeMiniGame::OnDetached(Quib::WidgetManager* manager)
{
    for (CustomSlider* slider : Sliders())
        if (slider != nullptr)
            manager->RemoveChild(slider);
    MiniGameWidget::OnDetached(manager);
}

void OscilloscopeMiniGame::OnSliderPressed(int)
{
    PlayMiniGameSound(SFX_MG_OSCILOSCOPE);
}

void OscilloscopeMiniGame::OnSliderValue(int id, double value)
{
    if (!mLoaded || !AcceptsInput())
        return;
    mWave.SetSliderValue(id, value);
    mSolved = mWave.IsSolved();
}

void OscilloscopeMiniGame::OnResetClicked()
{
    if (!mLoaded || IsDimming() || mSolved)
        return;
    mWave.Reset();
    // Setting a value does not tell the listener, so no move of the player's is read back.
    for (int id = 0; id < 3; ++id)
        Sliders()[size_t(id)]->SetValue(mWave.GetSliderValue(id));
}

void OscilloscopeMiniGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (mLoaded)
        CountTowardEndDialog();
}

void OscilloscopeMiniGame::DrawWave(Quib::Graphics* g, const Quib::Color& colour, int amplitude,
                                    int frequency, int phase)
{
    g->SetColor(colour);
    WavePoint from = WavePointAt(0, amplitude, frequency, phase);
    for (int a = 0; a < kWaveSegments; ++a)
    {
        const WavePoint to = WavePointAt(a + 1, amplitude, frequency, phase);
        g->DrawAntialiasedLine(mWaveX + from.mX, mWaveY + from.mY, mWaveX + to.mX, mWaveY + to.mY);
        from = to;
    }
}

void OscilloscopeMiniGame::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mLoaded)
        return;
    g->DrawImage(IMAGE_MG_OSC_BG, 0, 0);
    DrawWave(g, mTargetColour, WaveSettings::kTargetAmplitude, WaveSettings::kTargetFrequency,
             WaveSettings::kTargetPhase);
    DrawWave(g, mWaveColour, mWave.GetAmplitude(), mWave.GetFrequency(), mWave.GetPhase());
    Quib::Image* knob = IMAGE_MG_OSC_RADIO_BUTTON;
    g->SetFont(FONT_ITEM_LABELS);
    for (int id = 0; id < 3; ++id)
    {
        const Knob& place = kKnobs[size_t(id)];
        Quib::Matrix3 matrix;
        matrix.RotateDeg(float(Sliders()[size_t(id)]->mVal * 360.0));
        g->DrawImageWithMatrix(knob, matrix, float(place.x) + float(knob->GetWidth()) / 2,
                               float(place.y) + float(knob->GetHeight()) / 2);
        g->SetColor(Quib::Color(0, 0, 0, 255));
        g->DrawString(place.label, place.labelX + 1, 471);
        g->SetColor(Quib::Color(255, 255, 255, 255));
        g->DrawString(place.label, place.labelX, 470);
    }
}
