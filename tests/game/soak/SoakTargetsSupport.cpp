#include "framework/widgets/WidgetManager.h"
#include "game/play/ShownPoint.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "tests/game/soak/SoakTargets.h"

#include <algorithm>

namespace soak
{

namespace
{

void CollectControls(Quib::WidgetManager& manager, const Quib::Widget& widget, std::vector<Point>& points)
{
    if (!widget.mVisible)
        return;
    if (dynamic_cast<const ScreenBase*>(&widget) == nullptr && !widget.mDisabled && widget.mWidth > 0 &&
        widget.mHeight > 0)
    {
        const Quib::WidgetPoint origin = widget.GetAbsolutePosition();
        const Point centre{std::clamp(origin.mX + widget.mWidth / 2, 0, 799),
                           std::clamp(origin.mY + widget.mHeight / 2, 0, 599)};
        if (manager.FindEnabledWidgetAt(centre.x, centre.y) == &widget)
            points.push_back(centre);
    }
    for (const Quib::Widget* child : widget.GetChildren())
        CollectControls(manager, *child, points);
}

std::optional<Point> PointOf(const PlayfieldModel& model, size_t index, bool ignoreAlpha)
{
    const auto point = ShownPointOf(model, index, ignoreAlpha, 1);
    if (!point)
        return std::nullopt;
    return Point{point->first, point->second};
}

} // namespace

std::vector<Point> FindControlPoints(gameharness::GameHarness& game)
{
    std::vector<Point> points;
    Quib::WidgetManager& manager = *game.App().mWidgetManager;
    for (const Quib::Widget* child : manager.GetChildren())
        CollectControls(manager, *child, points);
    return points;
}

std::optional<Point> FindScenePoint(gameharness::GameHarness& game, std::mt19937& random)
{
    const GameFrame* frame = game.Top<GameFrame>();
    if (frame == nullptr || frame->mPlayfield == nullptr)
        return std::nullopt;
    const SandboxWidget& playfield = *frame->mPlayfield;
    const PlayfieldModel& model = playfield.mModel;
    const std::vector<PlayfieldItem>& items = model.Items();
    if (model.IsHeldSelected())
    {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].mKind == SceneItemKind::Location && !items[i].mRemoved)
                return PointOf(model, i, true);
    }
    if (const ActionItem* held = playfield.GetHeldItem(); held != nullptr && random() % 2 == 0)
    {
        const Quib::WidgetPoint origin = held->GetAbsolutePosition();
        return Point{origin.mX + held->mWidth / 2, origin.mY + held->mHeight / 2};
    }
    std::vector<size_t> wanted;
    for (size_t i = 0; i < items.size(); ++i)
    {
        const PlayfieldItem& item = items[i];
        if (!item.mRemoved && (item.mWanted || (item.mKind == SceneItemKind::Piece && item.mClickable)))
            wanted.push_back(i);
    }
    if (wanted.empty())
        return std::nullopt;
    return PointOf(model, wanted[random() % wanted.size()], false);
}

} // namespace soak
