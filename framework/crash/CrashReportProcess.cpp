#include "framework/crash/CrashReportWindow.h"
#include "framework/crash/CrashReporter.h"
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

int CrashReporter::RunReportProcess(const std::string& reportPath)
{
    const auto bytes = platform::readFile(reportPath, 4u << 20);
    if (!bytes)
    {
        DebugPrintf("No crash report at %s\n", reportPath.c_str());
        return 1;
    }
    std::string report =
        ResolveReportSymbols(std::string(bytes->begin(), bytes->end()), ResolveWithSystemTool);
    platform::writeFileAtomic(reportPath, report.data(), report.size());
    DebugPrintf("%s", report.c_str());

    ReportUploadFields upload;
    upload.mProductName = ReportValue(report, "Product");
    upload.mProductVersion = ReportValue(report, "Version");
    upload.mErrorTitle = ErrorTitleOf(report);
    upload.mErrorText = report;

    platform::Window window;
    if (!window.create("Fatal Error!", CrashReportWindow::kWidth, CrashReportWindow::kHeight, false))
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
