#pragma once

#include "framework/crash/HTTPTransfer.h"
#include "framework/crash/ReportUpload.h"
#include "framework/graphics/Font.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <functional>
#include <memory>
#include <string>

namespace Quib
{

class MemoryImage;

// The report window, made of the framework's own widgets on a 400 x 300
// image: the report with "Close Now" (and "Send Report" when an upload
// address is set), then the details page where the user describes what
// happened, then the progress of the upload. Drawing and input come from
// outside, so the pages can be driven headless.
class CrashReportWindow : public ButtonListener, public WidgetHost
{
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;
    enum ButtonId
    {
        SEND_BUTTON = 1,
        CLOSE_BUTTON,
        CONTINUE_BUTTON,
        ABORT_BUTTON,
        PROGRESS_ABORT_BUTTON
    };
    enum class Page
    {
        Report,
        Details,
        Progress
    };

    CrashReportWindow(const std::string& report, const std::string& errorTitle, ReportUploadFields upload);
    ~CrashReportWindow() override;

    WidgetManager& Manager() { return *mManager; }
    MemoryImage& Screen() { return *mScreen; }
    Page GetPage() const { return mPage; }
    bool IsClosed() const { return mClosed; }
    // The caption the page would have as its own window.
    const char* Caption() const;
    // One step of the window's loop: the progress page polls the upload (every
    // 20 ms) and animates its dots (every second).
    void Tick(uint32_t nowMs);
    void Draw();
    // Asked when an upload fails: true to try again. Shows a message box by default.
    std::function<bool()> mAskRetry;
    HTTPTransfer& Transfer() { return mTransfer; }
    const std::string& ProgressText() const { return mProgressText; }

    // ButtonListener.
    void OnButtonReleased(int id) override;

    // WidgetHost.
    void SelectCursor(int) override {}
    bool Is3DEnabled() override { return false; }
    void CopyToClipboard(const std::string& text) override;
    std::string GetClipboardText() override;
    bool AcceptsHighCharacters() override { return true; }
    int GetScreenWidth() override { return kWidth; }
    int GetScreenHeight() override { return kHeight; }
    bool RunLoopStep() override { return false; }
    void CloseDialog(int) override {}

private:
    class TextPanel;
    void ShowPage(Page page);
    void StartUpload();
    std::unique_ptr<ButtonWidget> MakeButton(int id, const char* label, int x, int y, int width, int height);

    std::string mReport;
    std::string mErrorTitle;
    ReportUploadFields mUpload;
    bool mCanSend;
    Page mPage = Page::Report;
    bool mClosed = false;
    HTTPTransfer mTransfer;
    bool mUploading = false;
    uint32_t mLastPoll = 0;
    uint32_t mLastDots = 0;
    int mDots = 0;
    std::string mProgressText = "Please Wait";

    std::unique_ptr<MemoryImage> mScreen;
    std::unique_ptr<Font> mHeadingFont;
    std::unique_ptr<Font> mReportFont;
    std::unique_ptr<Font> mButtonFont;
    std::unique_ptr<Font> mUserFont;
    std::unique_ptr<WidgetManager> mManager;
    std::unique_ptr<Widget> mBackground;
    std::unique_ptr<TextPanel> mHeading;
    std::unique_ptr<ListWidget> mReportList;
    std::unique_ptr<ScrollbarWidget> mReportScroll;
    std::unique_ptr<EditWidget> mUserText;
    std::unique_ptr<TextPanel> mProgress;
    std::unique_ptr<ButtonWidget> mSendButton;
    std::unique_ptr<ButtonWidget> mCloseButton;
    std::unique_ptr<ButtonWidget> mContinueButton;
    std::unique_ptr<ButtonWidget> mAbortButton;
    std::unique_ptr<ButtonWidget> mProgressAbortButton;
};

// The texts the report window shows.
extern const char* const kCrashHeading;
extern const char* const kCrashRequest;
extern const char* const kCrashConnectFailed;

} // namespace Quib
