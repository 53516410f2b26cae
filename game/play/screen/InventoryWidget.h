#pragma once

#include "framework/widgets/Widget.h"

class SandboxWidget;

// The strip of combined items: each usable object's silhouette, drawn faint
// at its place, fills up with its pieces as they arrive, and is no longer
// drawn once complete (its usable object has taken its place).
class InventoryWidget : public Quib::Widget
{
public:
    explicit InventoryWidget(SandboxWidget* owner);

    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    SandboxWidget* mOwner;
};
