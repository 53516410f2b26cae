#include "tests/game/soak/SoakStep.h"

namespace soak
{

StepTaken TakeStep(gameharness::GameHarness& game, SoakInput& input, SoftLockWatch& watch,
                   std::mt19937& random)
{
    const int& updatesRun = game.App().mMainLoop.mUpdateStepsRun;
    const int before = updatesRun;
    const InputSent sent = input.SendOne();
    game.Update(1 + int(random() % 12));
    if (sent.counts)
        watch.CountInput();
    StepTaken step;
    step.updates = updatesRun - before;
    step.softLock = watch.Observe(game, step.updates - sent.unfocusedUpdates);
    return step;
}

} // namespace soak
