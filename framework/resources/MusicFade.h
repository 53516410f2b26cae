#pragma once

namespace Quib
{

// A music track's volume and the fade that moves it, kept alike by every back end.
struct MusicFade
{
    double volume = 0.0;
    double fadeStep = 0.0; // added to the volume at every update; 0 = no fade
    double volumeLimit = 1.0;
    bool stopWhenFaded = false;

    // One update's step of a running fade, which ends at the limit or at silence.
    // True when this step silenced a track that is to stop then.
    bool StepFade()
    {
        volume += fadeStep;
        if (volume > volumeLimit)
        {
            volume = volumeLimit;
            fadeStep = 0;
        }
        else if (volume < 0)
        {
            volume = 0;
            fadeStep = 0;
            return stopWhenFaded;
        }
        return false;
    }
};

} // namespace Quib
