#include "game/shell/ScreenBase.h"

#include "framework/app/QuibAppBase.h"
#include "framework/widgets/WidgetManager.h"

void ScreenBase::OnEntered(GameStateStack*)
{
    Quib::gApp->mWidgetManager->AddChild(this);
}

void ScreenBase::OnLeft(GameStateStack*)
{
    Quib::gApp->mWidgetManager->RemoveChild(this);
    Quib::gApp->DeferWidgetDelete(this);
}

void ScreenBase::OnCovered(GameStateStack*)
{
    Quib::gApp->mWidgetManager->RemoveChild(this);
}

void ScreenBase::OnUncovered(GameStateStack*)
{
    Quib::gApp->mWidgetManager->AddChild(this);
}
