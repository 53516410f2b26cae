#include "framework/app/DemoPlaybackDialogs.h"

#include "framework/widgets/WidgetManager.h"

namespace Quib
{
namespace
{

constexpr int kListId = 100;
constexpr int kEditId = 100;
constexpr int kInset = 10;
constexpr int kEditHeight = 24;
// Room for the dialog's header above the list.
constexpr int kHeaderSpace = 40;
constexpr size_t kMaxJumpText = 500;

} // namespace

MarkerListDialog::MarkerListDialog(int id, Font* font, std::vector<MarkerListEntry> entries, int updateCount,
                                   int& playbackTarget)
    : Dialog(id, true, "Marker List", "", "CLOSE", DIALOG_MODE_SINGLE),
      mList(std::make_unique<ListWidget>(font, this)), mEntries(std::move(entries)),
      mUpdateCount(updateCount), mPlaybackTarget(playbackTarget)
{
    mList->mId = kListId;
    for (const MarkerListEntry& entry : mEntries)
        mList->AddLine(entry.mText, false);
}

void MarkerListDialog::OnAttached(WidgetManager* manager)
{
    Dialog::OnAttached(manager);
    manager->AddChild(mList.get());
}

void MarkerListDialog::OnDetached(WidgetManager* manager)
{
    Dialog::OnDetached(manager);
    manager->RemoveChild(mList.get());
}

void MarkerListDialog::OnZOrderChanged()
{
    Dialog::OnZOrderChanged();
    if (mWidgetManager != nullptr)
        mWidgetManager->MoveInFront(mList.get(), this);
}

void MarkerListDialog::Resize(int x, int y, int width, int height)
{
    Dialog::Resize(x, y, width, height);
    const int listTop = y + kHeaderSpace;
    const int buttonTop = mYesButton != nullptr ? mYesButton->mY : y + height;
    mList->Resize(x + kInset, listTop, std::max(0, width - 2 * kInset),
                  std::max(0, buttonTop - kInset - listTop));
}

void MarkerListDialog::OnListClick(int, int lineIndex, int clickCount)
{
    if (clickCount != 2 || lineIndex < 0 || size_t(lineIndex) >= mEntries.size())
        return;
    const int update = mEntries[size_t(lineIndex)].mUpdate;
    if (update <= mUpdateCount)
        return;
    mPlaybackTarget = update;
    mResult = 0;
}

JumpToTimeDialog::JumpToTimeDialog(int id, const std::string& registryKey, int demoLength, int frameTimeMs,
                                   int& playbackTarget)
    : Dialog(id, true, "Jump To Time", "", "", DIALOG_MODE_OK_CANCEL),
      mEdit(std::make_unique<EditWidget>(kEditId, nullptr)), mRegistryKey(registryKey),
      mDemoLength(demoLength), mFrameTimeMs(frameTimeMs), mPlaybackTarget(playbackTarget)
{
    mEdit->mMaxChars = int(kMaxJumpText);
    mEdit->SetText(LoadDemoJumpTime(mRegistryKey));
}

void JumpToTimeDialog::OnAttached(WidgetManager* manager)
{
    Dialog::OnAttached(manager);
    manager->AddChild(mEdit.get());
    manager->SetFocusWidget(mEdit.get());
}

void JumpToTimeDialog::OnDetached(WidgetManager* manager)
{
    Dialog::OnDetached(manager);
    manager->RemoveChild(mEdit.get());
}

void JumpToTimeDialog::OnZOrderChanged()
{
    Dialog::OnZOrderChanged();
    if (mWidgetManager != nullptr)
        mWidgetManager->MoveInFront(mEdit.get(), this);
}

void JumpToTimeDialog::Resize(int x, int y, int width, int height)
{
    Dialog::Resize(x, y, width, height);
    const int buttonTop = mYesButton != nullptr ? mYesButton->mY : y + height;
    mEdit->Resize(x + kInset, buttonTop - kInset - kEditHeight, std::max(0, width - 2 * kInset), kEditHeight);
}

void JumpToTimeDialog::OnButtonReleased(int id)
{
    if (id == DIALOG_FIRST_BUTTON_ID)
    {
        const std::string text = mEdit->mString.substr(0, kMaxJumpText);
        SaveDemoJumpTime(mRegistryKey, text);
        mPlaybackTarget = JumpTargetFromText(text, mDemoLength, mFrameTimeMs);
    }
    Dialog::OnButtonReleased(id);
}

} // namespace Quib
