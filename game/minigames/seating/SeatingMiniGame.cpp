#include "game/minigames/seating/SeatingMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

#include <array>

namespace
{

struct SeatPlace
{
    int x;
    int y;
};

// In circular order; seat 5 and seat 0 are neighbours.
constexpr std::array<SeatPlace, SeatingTable::kCount> kSeatPlaces = {
    {{382, 114}, {548, 152}, {577, 382}, {374, 446}, {175, 376}, {212, 149}}};

SeatingTable::Button ButtonOf(int button)
{
    return button == 1 ? SeatingTable::Button::Right : SeatingTable::Button::Left;
}

} // namespace

TableNeighbours::TableNeighbours(int mode) : mModeNumber(mode)
{
    mLoaded = LoadGroup("MG_TableNeighbours", &FetchGroupMgTableNeighbours);
    if (!mLoaded)
        return;
    BindReset([this] { OnResetClicked(); });
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    const int width = IMAGE_MG_NEIGHBOURS_1->GetWidth(), height = IMAGE_MG_NEIGHBOURS_1->GetHeight();
    for (int i = 0; i < SeatingTable::kCount; ++i)
    {
        auto guest = std::make_unique<ObjectNeighbour>(i, this);
        guest->mHomeX = mOriginX + 110 + i * (width + 2);
        guest->mHomeY = mOriginY + 20;
        guest->Resize(guest->mHomeX, guest->mHomeY, width, height);
        mGuests.push_back(std::move(guest));
        auto seat = std::make_unique<ObjectSeat>(i, this);
        seat->Resize(kSeatPlaces[size_t(i)].x, kSeatPlaces[size_t(i)].y, width, height);
        mSeats.push_back(std::move(seat));
    }
    mBoard = std::make_unique<SeatingTable>(mode);
    mHelpNumber = mBoard->GetMode().mHelpNumber;
    PlaceGuests();
}

TableNeighbours::~TableNeighbours()
{
    mGuests.clear();
    mSeats.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_TableNeighbours");
}

Quib::Image* TableNeighbours::GuestPicture(int guest) const
{
    static Quib::Image** const kPictures[SeatingTable::kCount] = {
        &IMAGE_MG_NEIGHBOURS_1, &IMAGE_MG_NEIGHBOURS_2, &IMAGE_MG_NEIGHBOURS_3,
        &IMAGE_MG_NEIGHBOURS_4, &IMAGE_MG_NEIGHBOURS_5, &IMAGE_MG_NEIGHBOURS_6};
    return *kPictures[guest];
}

void TableNeighbours::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& guest : mGuests)
        manager->AddChild(guest.get());
    for (auto& seat : mSeats)
        manager->AddChild(seat.get());
    MiniGameWidget::OnAttached(manager);
}

void TableNeighbours::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& guest : mGuests)
        manager->RemoveChild(guest.get());
    for (auto& seat : mSeats)
        manager->RemoveChild(seat.get());
    MiniGameWidget::OnDetached(manager);
}

void TableNeighbours::Sound(SeatingTable::Result result)
{
    if (result == SeatingTable::Result::Picked)
        PlayMiniGameSound(SFX_MG_NEIGHBOURS_PICK_RESERVATION);
    else if (result == SeatingTable::Result::Placed)
        PlayMiniGameSound(SFX_MG_NEIGHBOURS_PLACE_RESERVATION);
    mSolved = mBoard->IsSolved();
    PlaceGuests();
}

// Seats and guests take no notice of a solve: until the end dialog covers the
// game a guest can still be taken up, which makes the table unsolved again.
void TableNeighbours::ClickSeat(int seat, int button)
{
    if (button > 1)
        return;
    Sound(mBoard->ClickSeat(seat, ButtonOf(button)));
}

void TableNeighbours::ClickGuest(ObjectNeighbour* guest, int button)
{
    if (button > 1)
        return;
    const bool inStrip = guest->GetBounds().Intersects(mHomeStrip);
    Sound(mBoard->ClickGuest(guest->mIndex, ButtonOf(button), inStrip));
}

void TableNeighbours::OnResetClicked()
{
    if (!mBoard || IsDimming() || !AcceptsInput())
        return;
    mBoard->Reset();
    PlaceGuests();
}

void TableNeighbours::PlaceGuests()
{
    if (mBoard->GetHeld() >= 0)
    {
        const Quib::WidgetManager* manager = Quib::gApp->mWidgetManager.get();
        mHeldX = manager->mLastMouseX - IMAGE_MG_NEIGHBOURS_1->GetWidth() / 2;
        mHeldY = manager->mLastMouseY - IMAGE_MG_NEIGHBOURS_1->GetHeight() / 2;
    }
    for (auto& guest : mGuests)
    {
        const int seat = mBoard->GetSeatOfGuest(guest->mIndex);
        if (mBoard->GetHeld() == guest->mIndex)
            guest->Move(mHeldX, mHeldY);
        else if (seat >= 0)
            guest->Move(kSeatPlaces[size_t(seat)].x, kSeatPlaces[size_t(seat)].y);
        else
            guest->Move(guest->mHomeX, guest->mHomeY);
        guest->MarkDirty();
    }
}

void TableNeighbours::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mBoard)
        return;
    CountTowardEndDialog();
    if (mBoard->GetHeld() >= 0)
        PlaceGuests();
}

void TableNeighbours::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (mBoard)
        g->DrawImage(IMAGE_MG_NEIGHBOURS_BG, mOriginX - mX, mOriginY - mY);
}
