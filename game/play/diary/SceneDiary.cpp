#include "game/play/diary/SceneDiary.h"

#include "game/play/diary/DiaryOwner.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/screen/GameFrame.h"
#include "game/shell/MenuItem.h"

#include <memory>

namespace
{

class SceneDiaryOwner : public DiaryOwner
{
public:
    explicit SceneDiaryOwner(GameFrame& frame) : mFrame(frame) {}

    bool ShowTutorial(int n, int32_t argument) override { return mFrame.ShowTutorial(n, argument); }
    void ShowDiaryButton() override
    {
        if (MenuItem* button = mFrame.GetDiaryButton())
            button->SetVisible(true);
    }

private:
    GameFrame& mFrame;
};

} // namespace

ScreenBase* MakeSceneDiary(GameFrame& frame, bool firstOpening)
{
    auto* diary = new DiaryWidget(std::make_unique<SceneDiaryOwner>(frame), firstOpening);
    diary->Resize(0, 0, 800, 600);
    return diary;
}
