#include "game/shell/BasicMenu.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"

BasicMenu::~BasicMenu()
{
    ReleaseOwnedWidgets(mManager);
    mOwnedWidgets.clear();
    mWidgets.clear();
}

void BasicMenu::ReleaseOwnedWidgets(Quib::WidgetManager* manager)
{
    for (Quib::Widget*& widget : mOwnedWidgets)
    {
        if (!widget)
            continue;
        if (manager)
            manager->RemoveChild(widget);
        Quib::gApp->DeferWidgetDelete(widget);
        widget = nullptr;
    }
}

void BasicMenu::OnAttached(Quib::WidgetManager* manager)
{
    Widget::OnAttached(manager);
    mManager = manager;
}

void BasicMenu::OnDetached(Quib::WidgetManager* manager)
{
    Widget::OnDetached(manager);
    ReleaseOwnedWidgets(manager);
}

void BasicMenu::UpdateFraction(float fraction)
{
    if (!StepFade(mAlpha, mFadeState, fraction) || !mRemoveWhenFaded)
        return;
    OnBeforeRemove();
    Quib::WidgetManager* holder = mOwner ? mOwner->mWidgetManager : nullptr;
    if (holder && holder->HasChild(this))
        holder->RemoveChild(this);
    OnRemoved();
    Quib::gApp->DeferWidgetDelete(this);
}

void BasicMenu::Draw(Quib::Graphics* g)
{
    if (!mBackground)
        return;
    g->SetTintImages(true);
    g->SetColor(Quib::Color(255, 255, 255, int(mAlpha)));
    g->DrawImage(mBackground, 0, 0);
}
