#include "framework/app/SystemDialogs.h"

#include "framework/app/StringTable.h"
#include "framework/foundation/Strings.h"
#include "platform/MessageBox.h"
#include "platform/TextEncoding.h"

namespace Quib
{

std::string WideToDisplayText(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
    {
        const int byte = platform::codePointToWindows1252(static_cast<char32_t>(c));
        out += byte >= 0 ? static_cast<char>(byte) : '?';
    }
    return out;
}

void SystemDialogs::BeginSystemDialog()
{
    if (!mHost.IsWindowedNow() && mHost.ShowDesktopSurface())
        mSystemDialogUp = true;
}

void SystemDialogs::EndSystemDialog()
{
    if (!mHost.IsWindowedNow())
        mSystemDialogUp = false;
    mHost.ResetUpdateTimer();
    mHost.ClearKeyStates();
    mHost.ReleaseHeldMouseButtons();
}

int SystemDialogs::ShowBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    BeginSystemDialog();
    const int answer = platform::showMessageBox(mHost.DialogOwner(), text, caption, flags);
    EndSystemDialog();
    return answer;
}

int SystemDialogs::ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    if (mHost.IsScreenSaverMode())
    {
        mHost.WriteScreenSaverErrorLog(text);
        return platform::IDOK;
    }
    return ShowBox(text, caption, flags);
}

int SystemDialogs::ShowMessageBoxWide(const std::wstring& text, const std::wstring& caption, uint32_t flags)
{
    if (mHost.IsScreenSaverMode())
    {
        mHost.WriteScreenSaverErrorLog(NarrowString(text));
        return platform::IDOK;
    }
    return ShowBox(WideToDisplayText(text), WideToDisplayText(caption), flags);
}

void SystemDialogs::ShowError(const std::string& text)
{
    if (mHost.IsScreenSaverMode())
    {
        mHost.WriteScreenSaverErrorLog(text);
        return;
    }
    BeginSystemDialog();
    if (!mHost.IsShuttingDown())
        platform::showMessageBox(mHost.DialogOwner(), text,
                                 mStrings.LookupString("FATAL_ERROR", "FATAL ERROR"),
                                 platform::MB_OK | platform::MB_ICONERROR);
    EndSystemDialog();
}

void SystemDialogs::ShowErrorWide(const std::wstring& text)
{
    if (mHost.IsScreenSaverMode())
    {
        mHost.WriteScreenSaverErrorLog(NarrowString(text));
        return;
    }
    BeginSystemDialog();
    if (!mHost.IsShuttingDown())
        platform::showMessageBox(mHost.DialogOwner(), WideToDisplayText(text),
                                 mStrings.LookupString("FATAL_ERROR", "FATAL ERROR"),
                                 platform::MB_OK | platform::MB_ICONERROR);
    EndSystemDialog();
}

} // namespace Quib
