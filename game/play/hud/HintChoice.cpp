#include "game/play/hud/HintChoice.h"

std::vector<size_t> ChooseHintTargets(const PlayfieldModel& model, bool firstScene,
                                      const std::function<bool(size_t)>& isIdle,
                                      const std::function<bool(size_t)>& isArriving,
                                      const std::function<int32_t()>& random)
{
    const std::vector<PlayfieldItem>& items = model.Items();
    std::vector<size_t> wanted;
    bool anyWanted = false;
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (items[i].mWanted && !items[i].mRemoved)
        {
            anyWanted = true;
            if (isIdle(i))
                wanted.push_back(i);
        }
        anyWanted |= isArriving(i);
    }
    std::vector<size_t> shown;
    if (!firstScene && !anyWanted)
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].mKind == SceneItemKind::Piece && items[i].mRecord.mMinorGroupId > 0 &&
                !items[i].mRemoved && items[i].mClickable && isIdle(i))
                shown.push_back(i);
    if (!wanted.empty())
        shown.push_back(wanted[size_t(random()) % wanted.size()]);
    return shown;
}
