#include "framework/app/QuibAppBase.h"

#include "framework/app/AppFontFactory.h"
#include "framework/app/ProgramCursors.h"
#include "framework/app/WindowMessages.h"
#include "framework/app/WindowPlacement.h"
#include "framework/display/DDInterface.h"
#include "framework/files/PakInterface.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/FormatString.h"
#include "framework/foundation/HiResTimer.h"
#include "framework/foundation/Paths.h"
#include "framework/foundation/RandomGenerator.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/DSoundManager.h"
#include "framework/resources/MusicInterface.h"
#include "framework/resources/ResourceManager.h"
#include "framework/services/LeakReport.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/HeapRelease.h"
#include "platform/MessagePump.h"
#include "platform/Process.h"
#include "platform/Random.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstring>

namespace Quib
{

QuibAppBase* gApp = nullptr;
QuibAppBase* gCrashReportApp = nullptr;

namespace
{

platform::Cursor MakeProgramCursor(const ProgramCursorImage& image)
{
    return platform::Cursor::fromImage(image.pixels.data(), ProgramCursorImage::kSize,
                                       ProgramCursorImage::kSize, image.hotX, image.hotY);
}

} // namespace

QuibAppBase::QuibAppBase()
{
    // Every program made on the framework has the allocation tracker, whose
    // report is written when the process exits.
    InitLeakTracker();
    // Before any picture is loaded, so that none of them is carved out of the heap.
    platform::keepLargeBlocksApart();
    gApp = this;
    gImageHost = this;
    gCrashReportApp = this;
    mProductVersion = ReadProductVersion(platform::executablePath());
    mCommandLine.mProgramFolder = platform::executableFolder();
    mTimeLoaded = platform::tickCount();
    mMainLoop.mLastPresent = mTimeLoaded;
    mMainLoop.mEarliestNextPresent = mTimeLoaded;
    mFontFactory = std::make_unique<AppFontFactory>(*this);
    mWidgetManager = std::make_unique<WidgetManager>(this);
    mDialogRegistry = std::make_unique<DialogRegistry>(*mWidgetManager, *this);
    mResourceManager = std::make_unique<ResourceManager>(this);
}

QuibAppBase::~QuibAppBase()
{
    QuibAppBase::Shutdown();
    // The loading work uses the managers deleted below; it ends first.
    WaitForBackgroundLoad();
    mLoadingThread.reset();
    // Widgets queued for deletion by a run that never reached its next update
    // are deleted here, while the manager they were removed from still exists.
    mMainLoop.FlushDeferredDeletes();
    mDialogRegistry.reset();
    mWidgetManager.reset();
    mResourceManager.reset();
    {
        CriticalSectionGuard guard(ImageLock());
        for (auto& [key, entry] : mSharedImageMap)
            delete entry.mImage;
        mSharedImageMap.clear();
    }
    if (mDemo.IsRecording() || mDemo.IsPlaying())
        SetTimerSource({});
    mDDInterface.reset();
    mMusicInterface.reset();
    mSoundManager.reset();
    mAudioDevice.reset();
    mHandCursor = {};
    mDraggingCursor = {};
    mImageCursor = {};
    mSystemCursor = {};
    // The last window closes the desktop connection the cursors were made on.
    mMainWindow.reset();
    if (gImageHost == this)
        gImageHost = nullptr;
    // A crash after this point must not reach a destroyed application.
    if (gCrashReportApp == this)
        gCrashReportApp = nullptr;
    gApp = nullptr;
    // Written last, so that it holds every event the loading thread recorded.
    WriteDemoFile();
    mSingleInstance.reset();
}

void QuibAppBase::SetCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> arguments(argv, argv + argc);
    mCommandLineText = CommandLine::JoinArguments(arguments);
    mCommandLineGiven = true;
}

void QuibAppBase::ParseCommandLine(const std::string& commandLine)
{
    mCommandLine.ParseCommandLine(commandLine);
}

void QuibAppBase::ParseCommandLineText(const std::string& text)
{
    mCommandLine.ParseCommandLineText(text);
}

void QuibAppBase::HandleCommandLineOption(const std::string& key, const std::string& value)
{
    mCommandLine.HandleCommandLineOption(key, value);
}

bool QuibAppBase::OnChangeDirectory(const std::string& folder)
{
    (void)folder;
    return false;
}

void QuibAppBase::Init()
{
    mPrimaryThreadId = std::this_thread::get_id();
    if (mShutdown)
        return;
    BeforeInit();
    // The company folder is empty in this program: it is left out rather than
    // kept as an empty folder name, and the product stays the last folder.
    SetSharedDataFolder(platform::userDataFolder() + (mCompanyFolder.empty() ? "" : mCompanyFolder + "/") +
                        mProductName + "/");
    if (!CommandLine::IsAbsoluteName(mCommandLine.mDemoFileName))
        mCommandLine.mDemoFileName = gSharedDataFolder + mCommandLine.mDemoFileName;
    if (mCommandLineGiven && !mCommandLine.mCommandLineParsed)
        ParseCommandLine(mCommandLineText);

    mRandSeed = platform::tickCount();
    SeedRandomGenerator(mRandSeed);
    platform::srand(mRandSeed);
    // A demo begins before the settings are read: the settings' files are
    // outside results that a recording keeps and playback hands back, so
    // that playing a demo never reads the player's files or writes over them.
    if (mCommandLine.mRecordDemo)
    {
        StartDemoRecording();
        RunTimersOnUpdates();
    }
    else if (mCommandLine.mPlayDemo)
    {
        std::string error;
        if (!ReadDemoFile(error))
        {
            mCommandLine.mPlayDemo = false;
            ShowError(error);
            RestoreDisplayAndExit(0);
        }
        RunTimersOnUpdates();
    }

    if (mUseRegistry)
        LoadSettingsFromRegistry();
    else
        LoadSettings();
    if (mCommandLine.mScreenSaverMode)
        mOnlyAllowOneCopyToRun = false;
    if (!OnChangeDirectory(mCommandLine.mProgramFolder) && !mCommandLine.mProgramFolder.empty())
        platform::changeDirectory(mCommandLine.mProgramFolder);
    if (gPakInterface != nullptr && platform::fileExists("main.pak"))
        gPakInterface->MountArchive("main.pak");

    mSingleInstance = std::make_unique<platform::SingleInstance>(mProductName + "Mutex");
    if (!mSingleInstance->acquire())
        OnAlreadyRunning();

    if (mCommandLine.mPlayDemo)
        ReplayStartDisplayMode();

    BeforeDisplayInit();
    mWidgetManager->SetMouseMapping(Rect(0, 0, mWidth, mHeight), Rect(0, 0, mWidth, mHeight));

    // A window shows the screen scaled to the largest size that fits the desktop,
    // so no desktop is too small for windowed mode.
    CreateMainWindow();
    // The recording took the display mode after the display's own outside
    // results (the acceleration tester's); playback reads it at the same point
    // unless it came first, so that the results recorded after it stay in step.
    if (mCommandLine.mPlayDemo)
        ReplayStartDisplayMode();
    // Cursors are made on the desktop connection, which the first window opens.
    mHandCursor = MakeProgramCursor(HandCursorImage());
    mDraggingCursor = MakeProgramCursor(DraggingHandCursorImage());

    if (!mSoundManager)
    {
        mAudioDevice = std::make_unique<platform::AudioDevice>(mMixer);
        auto sounds = std::make_unique<DSoundManager>(mAudioDevice->isOpen() ? &mMixer : nullptr, mWantFMod);
        sounds->SetSharedDataFolder(gSharedDataFolder);
        mSoundManager = std::move(sounds);
    }
    SetSfxVolume(mSfxVolume);
    mMusicInterface = CreateMusicInterface();
    SetMusicVolume(mMusicVolume);
    if (mCommandLine.mScreenSaverMode)
    {
        mCursorSelection.mCursorNumber = CURSOR_NONE;
        int x = 0;
        int y = 0;
        CursorPosition(x, y);
        mScreenSaverFilter.Start(x, y);
    }
    OnInitFinished();
    mInitFinished = true;
}

void QuibAppBase::OnAlreadyRunning()
{
    if (!mOnlyAllowOneCopyToRun)
        return;
    mSingleInstance->notifyPrimary();
    RestoreDisplayAndExit(0);
}

void QuibAppBase::OnOtherInstanceNotify(uintptr_t wParam, intptr_t lParam)
{
    mInputQueue.OnOtherInstanceNotify(wParam, lParam);
}

void QuibAppBase::Start()
{
    if (mShutdown)
        return;
    StartCursorThread();
    if (mStartLoadingThread)
        StartLoadingThread();
    if (MainWindowOpen())
    {
        mMainWindow->show(true);
        PlaceWindowedMainWindow(*mMainWindow, mInputQueue.mPreferredWindowX, mInputQueue.mPreferredWindowY);
    }
    const uint32_t start = platform::tickCount();
    mInRunLoop = true;
    mInputQueue.mLastInputTime = start;
    mInputQueue.mTimerRunStart = start;
    while (!mShutdown)
        RunLoop();
    mMainLoop.FlushDeferredDeletes();
    mInRunLoop = false;
    WaitForBackgroundLoad();
    const double seconds = double(platform::tickCount() - start) / 1000.0;
    DebugPrintf("%s", mMainLoop.RunStatisticsText(seconds).c_str());
    BeforeTerminate();
    SaveSettingsToRegistry();
}

void QuibAppBase::Shutdown()
{
    if (mPrimaryThreadId != std::thread::id() && std::this_thread::get_id() != mPrimaryThreadId)
    {
        mShutdownRequested = true;
        return;
    }
    if (mShutdown)
        return;
    mMainLoop.mLeaveLoop = true;
    mShutdown = true;
    OnShutdown();
    if (mCommandLine.mPlayDemo)
    {
        SetMusicVolume(mDemoMusicVolume);
        SetSfxVolume(mDemoSfxVolume);
    }
    while (mCursorThread.IsRunning())
        platform::sleep(10);
    mCursorThread.Join();
    if (MainWindowOpen())
        mMainWindow->hide();
    RestoreDisplaySettings();
    if (mUseRegistry)
        SaveSettingsToRegistry();
}

void QuibAppBase::EndSession()
{
    // The application's own Shutdown saves (and may only ask); the session
    // does not wait for an answer, so the framework's shutdown follows at once.
    Shutdown();
    QuibAppBase::Shutdown();
}

void QuibAppBase::RestoreDisplaySettings()
{
    // The monitor's mode is never changed (full screen letterboxes in the
    // desktop's own mode), so there is nothing to put back.
}

void QuibAppBase::RestoreDisplayAndExit(int code)
{
    RestoreDisplaySettings();
    platform::exitProcess(code);
}

bool QuibAppBase::IsScreenSaverMode()
{
    return mCommandLine.mScreenSaverMode;
}

void QuibAppBase::ProvokeCrash()
{
    volatile int* nowhere = nullptr;
    *nowhere = 0;
}

void QuibAppBase::LoadResourceManifest()
{
    if (!mResourceManager->ReadManifest("properties\\resources.xml"))
        ReportResourceError(true);
}

void QuibAppBase::ReportResourceError(bool exit)
{
    ShowError(mResourceManager->GetErrorMessage());
    if (exit)
        RestoreDisplayAndExit(0);
}

std::string QuibAppBase::GetCrashReportInfo()
{
    const uint32_t seconds = (platform::tickCount() - mTimeLoaded) / 1000;
    return "Product: " + mProductName + "\r\nVersion: " + mProductVersion + "\r\nTime Loaded: " +
           FormatString("%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60)) +
           "\r\nFullscreen: " + (mIsWindowed ? "No" : "Yes") + "\r\nPrimary ThreadId: " +
           FormatString("%X", unsigned(std::hash<std::thread::id>{}(mPrimaryThreadId))) + "\r\n";
}

void QuibAppBase::UpdateCrashReportText()
{
    mCrashReportTextTick = platform::tickCount();
    const std::string text = GetCrashReportInfo();
    // The last byte stays 0, so a crash in the middle of this copy still
    // finds the text ended.
    const size_t count = std::min(text.size(), sizeof mCrashReportText - 1);
    std::memcpy(mCrashReportText, text.data(), count);
    mCrashReportText[count] = 0;
}

void QuibAppBase::HideForCrashReport()
{
    if (mMusicInterface)
        mMusicInterface->SetMusicVolume(0);
    if (MainWindowOpen())
        mMainWindow->hide();
    mWindowHidden = true;
    ApplyCursor();
}

bool QuibAppBase::ReservedCheck(int a, int b)
{
    (void)a;
    (void)b;
    return false;
}

// Run loop.

void QuibAppBase::RunLoop()
{
    mMainLoop.RunLoop();
}

bool QuibAppBase::RunLoopStep()
{
    return mMainLoop.RunLoopStep(nullptr);
}

bool QuibAppBase::RunUntilUpdated()
{
    return mMainLoop.RunUntilUpdated();
}

bool QuibAppBase::TimedUpdate(bool allowSleep)
{
    return mMainLoop.TimedUpdate(allowSleep);
}

bool QuibAppBase::TryUpdateStep()
{
    return mMainLoop.TryUpdateStep();
}

void QuibAppBase::UpdateFraction(double fraction)
{
    mMainLoop.UpdateFraction(fraction);
}

bool QuibAppBase::DrawFrame()
{
    return mMainLoop.DrawFrame();
}

void QuibAppBase::Redraw()
{
    mMainLoop.Redraw();
}

void QuibAppBase::DeferWidgetDelete(Widget* widget)
{
    mMainLoop.DeferWidgetDelete(widget);
}

void QuibAppBase::ResetUpdateTimer()
{
    mMainLoop.ResetUpdateTimer();
}

void QuibAppBase::UpdateStep()
{
    ++mMainLoop.mUpdateCount;
    if (platform::tickCount() - mCrashReportTextTick >= 1000)
        UpdateCrashReportText();
    if (!IsMinimised() && mWidgetManager->UpdateWidgets())
        ++mMainLoop.mWidgetUpdateCount;
    if (mMusicInterface)
        mMusicInterface->Update();
    PurgeUnusedSharedImages();
}

void QuibAppBase::UpdateWidgetsFraction(double fraction)
{
    mWidgetManager->UpdateWidgetsFraction(float(fraction));
}

bool QuibAppBase::DrawScreen()
{
    const bool drew = mWidgetManager->DrawDirtyWidgets();
    if (mWidgetManager->mDrawImage != nullptr)
    {
        Graphics g(mWidgetManager->mDrawImage);
        DDImage* surfaceImage = dynamic_cast<DDImage*>(mWidgetManager->mDrawImage);
        const bool locked = surfaceImage != nullptr && surfaceImage->LockSurface();
        DrawOverlay(&g);
        if (locked)
            surfaceImage->UnlockSurface();
    }
    return drew;
}

bool QuibAppBase::PresentScreen()
{
    return mDDInterface != nullptr && mDDInterface->Redraw(nullptr);
}

void QuibAppBase::ClearDisplayFailure()
{
    gLast3DError.clear();
}

void QuibAppBase::RecoverDisplay()
{
    // The display's set-up deletes the screen image, whatever its result.
    mWidgetManager->mDrawImage = nullptr;
    switch (InitDisplay())
    {
    case DDInterface::RESULT_OK:
        RefreshImagesAfterDisplayReset();
        mWidgetManager->mDrawImage = mDDInterface->GetDrawSurfaceImage();
        MarkAllDirty();
        break;
    case DDInterface::RESULT_INVALID_COLORDEPTH:
        // The desktop's pixels can no longer be shown in a window.
        if (mIsWindowed && IsActive())
        {
            SetWindowedMode(false);
            mForceFullscreen = true;
        }
        break;
    case DDInterface::RESULT_3D_FAIL:
        Set3DMode(false, true);
        break;
    default:
        // Tried again at the next failed present.
        break;
    }
}

int QuibAppBase::MillisecondsPerFrame()
{
    return mDDInterface ? int(mDDInterface->mMillisecondsPerFrame) : 16;
}

void QuibAppBase::DeleteWidget(Widget* widget)
{
    delete widget;
}

void QuibAppBase::StopAllSounds()
{
    if (mSoundManager)
        mSoundManager->StopAllInstances();
}

void QuibAppBase::PumpWindowMessages()
{
    DispatchWindowMessages(mInputQueue, mSingleInstance.get(), [this] { return mShutdown.load(); });
}

void QuibAppBase::WaitForMessages(uint32_t milliseconds)
{
    platform::waitMessage(milliseconds);
}

// Dialogs.

Dialog* QuibAppBase::MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                                const std::string& footer, int buttonMode)
{
    return mDialogRegistry->DialogRegistry::MakeDialog(id, modal, header, lines, footer, buttonMode);
}

Dialog* QuibAppBase::ShowDialog(int id, bool modal, const std::string& header, const std::string& lines,
                                const std::string& footer, int buttonMode)
{
    return mDialogRegistry->ShowDialog(id, modal, header, lines, footer, buttonMode);
}

Dialog* QuibAppBase::GetDialog(int id)
{
    return mDialogRegistry->GetDialog(id);
}

void QuibAppBase::AddDialog(Dialog* dialog)
{
    mDialogRegistry->AddDialog(dialog);
}

void QuibAppBase::AddDialog(int id, Dialog* dialog)
{
    mDialogRegistry->AddDialog(id, dialog);
}

bool QuibAppBase::CloseDialog(Dialog* dialog)
{
    return mDialogRegistry->CloseDialog(dialog);
}

void QuibAppBase::CloseDialog(int id)
{
    mDialogRegistry->CloseDialog(id);
}

bool QuibAppBase::CloseDialog(int id, bool removeWidget, bool deleteWidget)
{
    return mDialogRegistry->CloseDialog(id, removeWidget, deleteWidget);
}

int QuibAppBase::GetDialogCount()
{
    return mDialogRegistry->GetDialogCount();
}

void QuibAppBase::OnDialogButtonPressed(int dialogId, int buttonId)
{
    mDialogRegistry->OnDialogButtonPressed(dialogId, buttonId);
}

void QuibAppBase::OnDialogButtonReleased(int dialogId, int buttonId)
{
    mDialogRegistry->OnDialogButtonReleased(dialogId, buttonId);
}

} // namespace Quib
