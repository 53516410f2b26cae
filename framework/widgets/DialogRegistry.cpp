#include "framework/widgets/DialogRegistry.h"

#include "framework/widgets/Dialog.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Quib
{

DialogRegistry::DialogRegistry(WidgetManager& manager, DialogRegistryHost& host)
    : mManager(manager), mHost(host)
{
}

DialogRegistry::~DialogRegistry()
{
    std::vector<Dialog*> dialogs = std::move(mDialogList);
    mDialogMap.clear();
    for (Dialog* dialog : dialogs)
        delete dialog;
}

Dialog* DialogRegistry::MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                                   const std::string& footer, int buttonMode)
{
    Dialog* dialog = new Dialog(id, modal, header, lines, footer, buttonMode);
    dialog->mDialogListener = &mHost;
    return dialog;
}

Dialog* DialogRegistry::ShowDialog(int id, bool modal, const std::string& header, const std::string& lines,
                                   const std::string& footer, int buttonMode)
{
    mHost.CloseDialog(id);
    Dialog* dialog = mHost.MakeDialog(id, modal, header, lines, footer, buttonMode);
    mHost.AddDialog(id, dialog);
    return dialog;
}

Dialog* DialogRegistry::GetDialog(int id) const
{
    auto it = mDialogMap.find(id);
    return it == mDialogMap.end() ? nullptr : it->second;
}

void DialogRegistry::AddDialog(Dialog* dialog)
{
    mHost.AddDialog(dialog->mId, dialog);
}

void DialogRegistry::AddDialog(int id, Dialog* dialog)
{
    if (dialog == nullptr)
        return;
    // A dialog that is registered already is taken out first, but not deleted,
    // so that no entry is left pointing at a dialog on its way to deletion.
    for (auto it = mDialogMap.begin(); it != mDialogMap.end();)
    {
        int registeredId = it->first;
        Dialog* registered = it->second;
        ++it;
        if (registered == dialog)
            mHost.CloseDialog(registeredId, true, false);
    }
    mHost.CloseDialog(id);
    if (dialog->mWidth == 0)
    {
        const int width = mHost.GetAppWidth() / 2;
        const int height = dialog->GetPreferredHeight(width);
        dialog->Resize((mHost.GetAppWidth() - width) / 2, mHost.GetAppHeight() / 5, width, height);
    }
    mDialogMap[id] = dialog;
    mDialogList.push_back(dialog);
    mManager.AddChild(dialog);
    if (dialog->IsModal())
    {
        mManager.PushModal(dialog);
        mHost.OnModalDialogOpened();
    }
}

bool DialogRegistry::CloseDialog(Dialog* dialog)
{
    if (dialog == nullptr || GetDialog(dialog->mId) == nullptr)
        return false;
    mHost.CloseDialog(dialog->mId);
    return true;
}

bool DialogRegistry::CloseDialog(int id)
{
    return mHost.CloseDialog(id, true, true);
}

bool DialogRegistry::CloseDialog(int id, bool removeWidget, bool deleteWidget)
{
    auto it = mDialogMap.find(id);
    if (it == mDialogMap.end())
        return false;
    Dialog* dialog = it->second;
    mDialogMap.erase(it);
    mDialogList.erase(std::find(mDialogList.begin(), mDialogList.end(), dialog));
    if (removeWidget || deleteWidget)
        mManager.RemoveChild(dialog);
    if (dialog->IsModal())
    {
        mHost.OnModalDialogClosed();
        mManager.PopModal(dialog);
    }
    if (deleteWidget)
        mHost.DeferWidgetDelete(dialog);
    return true;
}

int DialogRegistry::GetDialogCount() const
{
    return int(mDialogList.size());
}

void DialogRegistry::OnDialogButtonPressed(int dialogId, int buttonId)
{
    if (buttonId == DIALOG_FIRST_BUTTON_ID)
        mHost.OnButtonPressed(dialogId + kFirstButtonOffset);
    else if (buttonId == DIALOG_SECOND_BUTTON_ID)
        mHost.OnButtonPressed(dialogId + kSecondButtonOffset);
}

void DialogRegistry::OnDialogButtonReleased(int dialogId, int buttonId)
{
    if (buttonId == DIALOG_FIRST_BUTTON_ID)
        mHost.OnButtonReleased(dialogId + kFirstButtonOffset);
    else if (buttonId == DIALOG_SECOND_BUTTON_ID)
        mHost.OnButtonReleased(dialogId + kSecondButtonOffset);
}

} // namespace Quib
