#include "framework/crash/CrashReportWindow.h"
#include "framework/crash/CrashReporter.h"
#include "framework/crash/CrashedRecording.h"
#include "framework/crash/ReportSymbols.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WindowInput.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/MessagePump.h"
#include "platform/Window.h"

#include <string>

namespace Quib
{

namespace
{

// "Product: NAME" and the like, from the application's lines in the report.
std::string ReportValue(const std::string& report, const std::string& key)
{
    const size_t at = report.find("\n" + key + ": ");
    if (at == std::string::npos)
        return "";
    const size_t start = at + key.size() + 3;
    const size_t end = report.find_first_of("\r\n", start);
    return report.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

int CrashReporter::RunReportProcess(const std::string& givenPath)
{
    // Whatever this process leaves behind at exit (the leak report) belongs
    // beside the report, not in the folder the crashed program ran in.
    std::string reportPath = givenPath;
    const size_t slash = reportPath.find_last_of('/');
    if (slash != std::string::npos && platform::changeDirectory(reportPath.substr(0, slash + 1)))
        reportPath.erase(0, slash + 1);
    const auto bytes = platform::readFileNoFollow(reportPath, 4u << 20);
    if (!bytes)
    {
        DebugPrintf("No crash report at %s\n", reportPath.c_str());
        return 1;
    }
    std::string report = ResolveReportSymbols(std::string(bytes->begin(), bytes->end()),
                                              ResolveWithSystemTool, ListSymbolsWithSystemTool);
    platform::writeFileAtomic(reportPath, report.data(), report.size());
    DebugPrintf("%s", report.c_str());

    ReportUploadFields upload;
    upload.mProductName = ReportValue(report, "Product");
    upload.mProductVersion = ReportValue(report, "Version");
    upload.mErrorTitle = ErrorTitleOf(report);
    upload.mErrorText = report;
    upload.mDemoBytes = CloseCrashedRecording(report, upload.mProductVersion);
    upload.mAttachDemo = !upload.mDemoBytes.empty();

    platform::Window window;
    if (!window.create("Fatal Error!", CrashReportWindow::kWidth, CrashReportWindow::kHeight, false) ||
        !window.isSeenByUser())
        return 0;
    window.show();
    CrashReportWindow reportWindow(report, upload.mErrorTitle, upload);
    platform::setClipboardText(report);
    std::string caption = reportWindow.Caption();
    while (!reportWindow.IsClosed())
    {
        platform::Message message;
        while (platform::peekMessage(message))
        {
            if (message.message == platform::WM_ENDSESSION)
                return 0;
            if (message.message == platform::WM_CLOSE || message.message == platform::WM_DESTROY)
            {
                if (reportWindow.GetPage() == CrashReportWindow::Page::Progress)
                    reportWindow.Transfer().Cancel();
                else
                    return 0;
            }
            DispatchWindowInput(reportWindow.Manager(), message, window, CrashReportWindow::kWidth,
                                CrashReportWindow::kHeight);
        }
        reportWindow.Tick(platform::tickCount());
        reportWindow.Draw();
        if (caption != reportWindow.Caption())
        {
            caption = reportWindow.Caption();
            window.setTitle(caption);
        }
        MemoryImage& screen = reportWindow.Screen();
        window.present(screen.GetBits(), CrashReportWindow::kWidth, CrashReportWindow::kHeight,
                       CrashReportWindow::kWidth * 4);
        platform::sleep(10);
    }
    return 0;
}

} // namespace Quib
