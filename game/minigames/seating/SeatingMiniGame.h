#pragma once

#include "framework/foundation/Rect.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/seating/SeatingPieces.h"
#include "game/minigames/seating/SeatingTable.h"

#include <memory>
#include <vector>

// Six numbered guests to seat around the table: the seating model under a
// widget per guest and an invisible one per seat, the seats above the guests.
class TableNeighbours : public MiniGameWidget
{
public:
    explicit TableNeighbours(int mode);
    ~TableNeighbours() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    // Mouse buttons 0 (left) and 1 (right); others do nothing.
    void ClickSeat(int seat, int button);
    void ClickGuest(ObjectNeighbour* guest, int button);
    void OnResetClicked();
    // Moves every guest where the model has it: home, on its seat, or under the mouse.
    void PlaceGuests();
    Quib::Image* GuestPicture(int guest) const;

    std::unique_ptr<SeatingTable> mBoard;
    std::vector<std::unique_ptr<ObjectNeighbour>> mGuests;
    std::vector<std::unique_ptr<ObjectSeat>> mSeats;
    int mOriginX = 150;
    int mOriginY = 20;
    int mHeldX = 0;
    int mHeldY = 0;
    Quib::Rect mHomeStrip{201, 33, 400, 65};
    int mModeNumber;

private:
    void Sound(SeatingTable::Result result);
};
