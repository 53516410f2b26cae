#pragma once

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/DialogListener.h"

#include <map>
#include <string>
#include <vector>

namespace Quib
{

class Dialog;
class Widget;
class WidgetManager;

// What the dialog registry needs of the application object, which answers
// dialogs in its ordinary button handler. Every step that makes, adds or
// closes a dialog goes through the application's own (overridable) operation.
class DialogRegistryHost : public ButtonListener, public DialogListener
{
public:
    virtual Dialog* MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode) = 0;
    virtual void AddDialog(int id, Dialog* dialog) = 0;
    virtual void CloseDialog(int id) = 0;
    virtual bool CloseDialog(int id, bool removeWidget, bool deleteWidget) = 0;
    virtual void OnModalDialogOpened() {}
    virtual void OnModalDialogClosed() {}
    virtual void DeferWidgetDelete(Widget* widget) = 0;
    virtual int GetAppWidth() = 0;
    virtual int GetAppHeight() = 0;
};

// The application's framework dialogs by id: creates, places and adds them to
// the widget manager, pushes a modal layer for modal ones, closes them, and
// turns their button events into the application's button ids (first button
// dialog id + 2000, second + 3000).
class DialogRegistry
{
public:
    static constexpr int kFirstButtonOffset = 2000;
    static constexpr int kSecondButtonOffset = 3000;

    DialogRegistry(WidgetManager& manager, DialogRegistryHost& host);
    // Dialogs still registered are deleted with the registry.
    virtual ~DialogRegistry();
    DialogRegistry(const DialogRegistry&) = delete;
    DialogRegistry& operator=(const DialogRegistry&) = delete;

    virtual Dialog* MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode);
    virtual Dialog* ShowDialog(int id, bool modal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode);
    virtual Dialog* GetDialog(int id) const;
    virtual void AddDialog(Dialog* dialog);
    virtual void AddDialog(int id, Dialog* dialog);
    virtual bool CloseDialog(Dialog* dialog);
    virtual bool CloseDialog(int id);
    virtual bool CloseDialog(int id, bool removeWidget, bool deleteWidget);
    virtual int GetDialogCount() const;

    void OnDialogButtonPressed(int dialogId, int buttonId);
    void OnDialogButtonReleased(int dialogId, int buttonId);

private:
    WidgetManager& mManager;
    DialogRegistryHost& mHost;
    std::map<int, Dialog*> mDialogMap;
    std::vector<Dialog*> mDialogList;
};

} // namespace Quib
