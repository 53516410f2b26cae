#include "framework/crash/CrashReportWindow.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

namespace Quib
{

const char* const kCrashHeading = "An unexpected error has occured!";
const char* const kCrashRequest =
    "Please help out by providing as much information as you can about this crash.";
const char* const kCrashConnectFailed = "Failed to connect to server.";

namespace
{

const Color kFace(212, 208, 200);
const Color kInk(0, 0, 0);

class Background : public Widget
{
public:
    void Draw(Graphics* g) override
    {
        g->SetColor(kFace);
        g->FillRect(0, 0, mWidth, mHeight);
    }
};

} // namespace

// Read-only wrapped text on the window's face colour.
class CrashReportWindow::TextPanel : public Widget
{
public:
    explicit TextPanel(Font* font) : mFont(font) {}
    void SetText(const std::string& text)
    {
        mText = text;
        MarkDirty();
    }
    void Draw(Graphics* g) override
    {
        g->SetColor(kFace);
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetFont(mFont);
        g->SetColor(kInk);
        g->DrawStringWrapped(mText, Rect(2, 2, mWidth - 4, mHeight - 4));
    }

private:
    Font* mFont;
    std::string mText;
};

CrashReportWindow::CrashReportWindow(const std::string& report, const std::string& errorTitle,
                                     ReportUploadFields upload)
    : mReport(report), mErrorTitle(errorTitle), mUpload(std::move(upload)),
      mCanSend(!gReportUploadUrl.empty())
{
    mScreen = std::make_unique<MemoryImage>();
    mScreen->Create(kWidth, kHeight);
    mHeadingFont = std::make_unique<SysFont>(9, "Arial", true);
    mReportFont = std::make_unique<SysFont>(8, "Courier New");
    mButtonFont = std::make_unique<SysFont>(9, "Arial", true);
    mUserFont = std::make_unique<SysFont>(8, "Tahoma");
    mManager = std::make_unique<WidgetManager>(this);
    mManager->mDrawImage = mScreen.get();
    mManager->SetMouseMapping(Rect(0, 0, kWidth, kHeight), Rect(0, 0, kWidth, kHeight));

    mBackground = std::make_unique<Background>();
    mBackground->Resize(0, 0, kWidth, kHeight);
    mManager->AddChild(mBackground.get());

    mHeading = std::make_unique<TextPanel>(mHeadingFont.get());
    mHeading->Resize(8, 8, 384, 84);
    mManager->AddChild(mHeading.get());

    mReportList = std::make_unique<ListWidget>(mReportFont.get(), nullptr);
    mReportScroll = std::make_unique<ScrollbarWidget>(mReportList.get());
    mReportList->mScrollbar = mReportScroll.get();
    size_t start = 0;
    while (start < mReport.size())
    {
        size_t end = mReport.find('\n', start);
        if (end == std::string::npos)
            end = mReport.size();
        std::string line = mReport.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        mReportList->AddLine(line, false);
        start = end + 1;
    }
    mReportList->Resize(8, 92, 368, 168);
    mReportScroll->ResizeScrollbar(376, 92, 16, 168);
    mManager->AddChild(mReportList.get());
    mManager->AddChild(mReportScroll.get());

    mUserText = std::make_unique<EditWidget>(0, nullptr);
    mUserText->SetFont(mUserFont.get());
    mUserText->mMaxChars = 8192;
    mUserText->Resize(8, 92, 384, 24);

    mProgress = std::make_unique<TextPanel>(mHeadingFont.get());
    mProgress->Resize(24, 110, 352, 24);

    if (mCanSend)
    {
        mSendButton = MakeButton(SEND_BUTTON, "Send Report", 8, 268, 188, 24);
        // Without the application there is nothing to send the report with.
        mSendButton->SetDisabled(mUpload.mProductName.empty());
        mCloseButton = MakeButton(CLOSE_BUTTON, "Close Now", 204, 268, 188, 24);
    }
    else
        mCloseButton = MakeButton(CLOSE_BUTTON, "Close Now", 8, 268, 384, 24);
    mContinueButton = MakeButton(CONTINUE_BUTTON, "Continue", 8, 268, 188, 24);
    mAbortButton = MakeButton(ABORT_BUTTON, "Abort", 204, 268, 188, 24);
    mProgressAbortButton = MakeButton(PROGRESS_ABORT_BUTTON, "Abort", 152, 150, 96, 22);
    ShowPage(Page::Report);
}

CrashReportWindow::~CrashReportWindow()
{
    mManager->RemoveAllChildren(false, false);
}

std::unique_ptr<ButtonWidget> CrashReportWindow::MakeButton(int id, const char* label, int x, int y,
                                                            int width, int height)
{
    auto button = std::make_unique<ButtonWidget>(id, this);
    button->mLabel = label;
    button->SetFont(mButtonFont.get());
    button->Resize(x, y, width, height);
    return button;
}

const char* CrashReportWindow::Caption() const
{
    switch (mPage)
    {
    case Page::Report:
        return "Fatal Error!";
    case Page::Details:
        return "Error Details";
    case Page::Progress:
        return "Submitting Report";
    }
    return "";
}

void CrashReportWindow::ShowPage(Page page)
{
    mPage = page;
    mManager->RemoveAllChildren(false, false);
    mManager->AddChild(mBackground.get());
    mBackground->MarkDirty();
    switch (page)
    {
    case Page::Report:
        mHeading->SetText(kCrashHeading);
        mManager->AddChild(mHeading.get());
        mManager->AddChild(mReportList.get());
        mManager->AddChild(mReportScroll.get());
        if (mSendButton)
            mManager->AddChild(mSendButton.get());
        mManager->AddChild(mCloseButton.get());
        break;
    case Page::Details:
        mHeading->SetText(kCrashRequest);
        mManager->AddChild(mHeading.get());
        mManager->AddChild(mUserText.get());
        mContinueButton->SetDisabled(mUpload.mProductName.empty());
        mManager->AddChild(mContinueButton.get());
        mManager->AddChild(mAbortButton.get());
        mManager->SetFocusWidget(mUserText.get());
        break;
    case Page::Progress:
        mProgress->SetText(mProgressText);
        mManager->AddChild(mProgress.get());
        mManager->AddChild(mProgressAbortButton.get());
        break;
    }
}

void CrashReportWindow::OnButtonReleased(int id)
{
    switch (id)
    {
    case SEND_BUTTON:
        ShowPage(Page::Details);
        break;
    case CLOSE_BUTTON:
    case ABORT_BUTTON:
        mClosed = true;
        break;
    case CONTINUE_BUTTON:
        mUpload.mUserText = mUserText->mString.substr(0, 8192);
        ShowPage(Page::Progress);
        StartUpload();
        break;
    case PROGRESS_ABORT_BUTTON:
        mTransfer.Cancel();
        break;
    default:
        break;
    }
}

void CrashReportWindow::StartUpload()
{
    // The address goes into the Host header as it stands.
    mTransfer.SendRawRequest(BuildReportRequest(gReportUploadUrl, BuildReportBody(mUpload)));
    mUploading = true;
}

void CrashReportWindow::Tick(uint32_t nowMs)
{
    if (mPage != Page::Progress || !mUploading)
        return;
    if (nowMs - mLastDots >= 1000)
    {
        mLastDots = nowMs;
        ++mDots;
        mProgressText = "Please Wait";
        for (int i = 0; i < mDots % 10; ++i)
            mProgressText += " .";
        mProgress->SetText(mProgressText);
    }
    if (nowMs - mLastPoll < 20)
        return;
    mLastPoll = nowMs;
    const int result = mTransfer.PollResult();
    if (result == HTTPTransfer::TRANSFER_IDLE || result == HTTPTransfer::TRANSFER_BUSY)
        return;
    mUploading = false;
    if (result == HTTPTransfer::TRANSFER_DONE || result == HTTPTransfer::TRANSFER_CANCELLED)
    {
        mClosed = true;
        return;
    }
    mTransfer.Clear();
    const bool retry = mAskRetry ? mAskRetry()
                                 : platform::showMessageBox(nullptr, kCrashConnectFailed, "Connection Failed",
                                                            platform::MB_RETRYCANCEL) == platform::IDRETRY;
    if (retry)
        StartUpload();
    else
        mClosed = true;
}

void CrashReportWindow::Draw()
{
    mManager->UpdateWidgets();
    mManager->DrawDirtyWidgets();
}

void CrashReportWindow::CopyToClipboard(const std::string& text)
{
    platform::setClipboardText(text);
}

std::string CrashReportWindow::GetClipboardText()
{
    return platform::clipboardText();
}

} // namespace Quib
