#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/SliderListener.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/wave/WaveSettings.h"
#include "game/shell/CustomSlider.h"
#include "game/shell/CustomSliderListener.h"

#include <array>
#include <memory>

// The wave matching: the player shapes the yellow wave with three sliders
// (frequency, amplitude, phase) until it lies on the red target wave.
class OscilloscopeMiniGame : public MiniGameWidget, public CustomSliderListener, public Quib::SliderListener
{
public:
    OscilloscopeMiniGame();
    ~OscilloscopeMiniGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    // The sliders stand below the board wherever the game is placed.
    void Move(int x, int y) override;

    void OnSliderPressed(int id) override;
    void OnSliderValue(int id, double value) override;
    void OnResetClicked();

    WaveSettings mWave;
    int mWaveX = 75;
    int mWaveY = 180;
    Quib::Color mTargetColour{255, 0, 0, 255};
    Quib::Color mWaveColour{255, 255, 0, 255};
    std::unique_ptr<CustomSlider> mFrequencySlider;
    std::unique_ptr<CustomSlider> mAmplitudeSlider;
    std::unique_ptr<CustomSlider> mPhaseSlider;

private:
    std::array<CustomSlider*, 3> Sliders() const;
    void DrawWave(Quib::Graphics* g, const Quib::Color& colour, int amplitude, int frequency, int phase);
    void PlaceSliders(int y);
};
