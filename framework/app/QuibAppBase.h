#pragma once

#include "framework/app/CommandLine.h"
#include "framework/app/CursorSelection.h"
#include "framework/app/CursorThread.h"
#include "framework/app/DebugKeys.h"
#include "framework/app/InputQueue.h"
#include "framework/app/LoadingState.h"
#include "framework/app/LoadingThread.h"
#include "framework/app/MainLoop.h"
#include "framework/app/PlaybackKeys.h"
#include "framework/app/RunLoopHost.h"
#include "framework/app/StringTable.h"
#include "framework/app/SystemDialogs.h"
#include "framework/app/WindowHost.h"
#include "framework/display/DisplayHost.h"
#include "framework/foundation/CriticalSection.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/FontHost.h"
#include "framework/resources/ResourceManagerHost.h"
#include "framework/services/DemoRecorder.h"
#include "framework/services/DesktopServices.h"
#include "framework/services/OverlayImages.h"
#include "framework/services/RegistrySettings.h"
#include "framework/services/ScreenSaver.h"
#include "framework/widgets/DialogRegistry.h"
#include "framework/widgets/WidgetHost.h"
#include "platform/Cursor.h"
#include "platform/MessagePump.h"
#include "platform/Messages.h"
#include "platform/Mixer.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace platform
{
class AudioDevice;
class SingleInstance;
class Window;
} // namespace platform

namespace Quib
{

class DDImage;
class DDInterface;
class Dialog;
class Font;
class Graphics;
class MemoryImage;
class MusicInterface;
class ResourceManager;
class SoundManager;
class Widget;
class WidgetManager;

// The framework's application object: exactly one per process, reachable through
// gApp. It owns the main window, the display, the widget manager, the resource
// manager, the sound manager and the music interface; it runs start-up (Init),
// the run loop (Start) and shutdown (Shutdown, destructor). A game derives its
// own application from it and overrides hooks that are called at fixed points.
class QuibAppBase : public DialogRegistryHost,
                    public RunLoopHost,
                    public WindowHost,
                    public SystemDialogHost,
                    public CommandLineHost,
                    public CursorHost,
                    public CursorThreadHost,
                    public DebugKeysHost,
                    public PlaybackKeysHost,
                    public DisplayHost,
                    public FontHost,
                    public WidgetHost,
                    public ResourceManagerHost
{
public:
    QuibAppBase();
    ~QuibAppBase() override;
    QuibAppBase(const QuibAppBase&) = delete;
    QuibAppBase& operator=(const QuibAppBase&) = delete;

    // Run loop (the timing core lives in mMainLoop).
    virtual bool TimedUpdate(bool allowSleep);
    void UpdateStep() override;
    virtual bool TryUpdateStep();
    virtual void UpdateFraction(double fraction);
    // Creates the main window for the current mode and (re)initialises the display.
    virtual void CreateMainWindow();
    void ApplyCursor() override;
    virtual void RefreshImagesAfterDisplayReset();
    virtual void ReleaseImageDisplayData();
    virtual void ReleaseImageExtraData();
    void OnLoadingFinished() override {}
    void BeforeCursorThreadStep() override {}
    void AfterCursorThreadStep() override {}
    virtual std::unique_ptr<MusicInterface> CreateMusicInterface();
    virtual void OnInitFinished() {}
    virtual void OnShutdown() {}
    virtual void BeforeTerminate() {}
    virtual void RunLoadingThread() {}
    virtual void SaveSettingsToRegistry();
    virtual void LoadSettingsFromRegistry();
    virtual void LoadSettings() {}
    virtual void BeforeDisplayInit() {}
    virtual void BeginSystemDialog();
    virtual void EndSystemDialog();
    virtual int ShowMessageBoxWide(const std::wstring& text, const std::wstring& caption, uint32_t flags);
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);
    virtual void ShowErrorWide(const std::wstring& text);
    void ShowError(const std::string& text) override;
    void WriteScreenSaverErrorLog(const std::string& text) override;
    void DeferWidgetDelete(Widget* widget) override;
    virtual void HideForCrashReport();
    virtual std::string GetCrashReportInfo();
    // GetCrashReportInfo as of the last second, in a fixed buffer that a
    // crash handler may read without building any text.
    void UpdateCrashReportText();
    const char* CrashReportText() const { return mCrashReportText; }
    virtual void AddCrashReportFields(std::map<std::string, std::string>& fields) { (void)fields; }
    void Shutdown() override;
    void EndSession() override;
    virtual void ParseCommandLine(const std::string& commandLine);
    void ParseCommandLineText(const std::string& text) override;
    void HandleCommandLineOption(const std::string& key, const std::string& value) override;
    virtual void OnOtherInstanceNotify(uintptr_t wParam, intptr_t lParam);
    virtual void OnAlreadyRunning();
    virtual void Start();
    virtual void Init();
    virtual void OnDisplayModeChange() {}
    virtual void AfterDisplayModeChange() {}
    virtual bool OnChangeDirectory(const std::string& folder);

    // Media services.
    virtual void PlaySoundPanned(int soundId, int pan);
    virtual void PlaySound(int soundId);
    virtual double GetMasterVolume();
    virtual double GetMusicVolume();
    virtual double GetSfxVolume();
    virtual bool IsMuted();
    virtual void SetMasterVolume(double volume);
    virtual void SetMusicVolume(double volume);
    virtual void SetSfxVolume(double volume);
    void Mute(bool automatic) override;
    void Unmute(bool automatic) override;
    virtual void DrawOverlay(Graphics* g) { (void)g; }
    virtual double GetLoadingProgress();
    // A new display image of the file's pixels, owned by the caller; null when it cannot be read.
    virtual DDImage* LoadImage(const std::string& fileName, uint32_t commitFlags);
    SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                     bool* isNew) override;

    // Screen mode.
    virtual void SetScreenMode(bool windowed, bool is3D, bool force);
    void SetWindowedMode(bool windowed) override;
    virtual void ResetScreenMode();
    virtual void SetDrawInVideoMemory(bool on);

    // Dialogs: the framework's dialogs by id, kept in mDialogRegistry.
    Dialog* MakeDialog(int id, bool modal, const std::string& header, const std::string& lines,
                       const std::string& footer, int buttonMode) override;
    virtual Dialog* ShowDialog(int id, bool modal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode);
    virtual Dialog* GetDialog(int id);
    virtual void AddDialog(Dialog* dialog);
    void AddDialog(int id, Dialog* dialog) override;
    virtual bool CloseDialog(Dialog* dialog);
    void CloseDialog(int id) override;
    bool CloseDialog(int id, bool removeWidget, bool deleteWidget) override;
    virtual int GetDialogCount();
    void OnDialogButtonPressed(int dialogId, int buttonId) override;
    void OnDialogButtonReleased(int dialogId, int buttonId) override;
    int GetAppWidth() override { return mWidth; }
    int GetAppHeight() override { return mHeight; }

    void OnActivated() override {}
    void OnDeactivated() override {}
    // Alt+Enter and Alt+R: true for carriage return and "r" in either case.
    bool IsSwallowedAltKey(uint8_t character) override;
    bool HandleDebugKey(uint32_t key) override;
    bool PreviewKeyDown(uint32_t key, bool ctrl, bool alt) override;
    void OnCloseMessage() override {}
    void OnHardwareTestCompleted() override {}
    virtual std::string GetCrashReportDemoFile() { return ""; }
    virtual bool ReservedCheck(int a, int b);
    virtual bool DrawFrame();
    void Redraw() override;
    virtual void BeforeInit() {}
    virtual void RunLoop();
    bool RunLoopStep() override;
    virtual bool RunUntilUpdated();
    // A minimised window stays minimised while the window is disabled.
    bool AllowsRestore() override;

    // Operations that are not virtual.
    // Has the display (re)initialise itself; the display's result code.
    int InitDisplay();
    void LoadResourceManifest();
    void ReportResourceError(bool exit);
    void RestoreDisplaySettings();
    [[noreturn]] void RestoreDisplayAndExit(int code) override;
    bool IsScreenSaverMode() override;
    void ResetUpdateTimer() override;
    // The program's arguments, program name first, for ParseCommandLine at Init.
    void SetCommandLine(int argc, const char* const* argv);

    // Threads and cursors.
    void StartLoadingThread();
    void WaitForBackgroundLoad();
    void StartCursorThread();
    void SelectCursor(int number) override;
    void SetCustomCursorImage(int number, Image* image);
    // Moves the desktop's pointer to a point of the main window's client area.
    void WarpPointer(int clientX, int clientY);
    void SetCustomCursorsEnabled(bool enabled);

    // Images.
    DDImage* CopyImageRect(Image* source, const Rect& rect);
    DDImage* DuplicateImage(Image* image);
    void PurgeUnusedSharedImages();
    bool Is3DEnabled() override;
    bool Is3DSupported();
    bool Is3DRecommended();
    void RecordDisplayMode();
    void Set3DMode(bool on, bool recreate);

    // ImageHost.
    void RegisterImage(MemoryImage* image) override;
    void UnregisterImage(MemoryImage* image) override;
    void DropImageTextures(MemoryImage* image) override;
    NativeDisplay* GetNativeDisplay() override;
    bool CopyTexturesToImage(MemoryImage* image) override;
    void RequestSharedImagePurge() override;

    // DisplayHost.
    int32_t GetScreenWidth() override { return mWidth; }
    int32_t GetScreenHeight() override { return mHeight; }
    int32_t GetFullScreenBitDepth() override { return mFullScreenBitDepth; }
    void SetVSyncBroken() override { mMainLoop.mVSyncBroken = true; }
    bool IsAutoEnable3D() override { return mAutoEnable3D; }
    bool IsTest3DRequested() override { return mTest3D; }
    uint32_t GetMinVideoMemory() override { return 6; }
    uint32_t GetRecommendedVideoMemory() override { return 14; }
    std::string GetRegistryKey() override { return mRegKey; }

    // RunLoopHost.
    bool IsShuttingDown() override { return mShutdown; }
    bool IsShutdownRequested() override { return mShutdownRequested; }
    bool IsMinimised() override { return mInputQueue.mMinimised; }
    bool IsActive() override { return mInputQueue.mActive; }
    bool IsWindowedNow() override { return mIsPhysWindowed; }
    void PumpWindowMessages() override;
    bool ProcessQueuedMessage() override;
    void WaitForMessages(uint32_t milliseconds) override;
    void UpdateWidgetsFraction(double fraction) override;
    bool DrawScreen() override;
    bool PresentScreen() override;
    void RecoverDisplay() override;
    void ClearDisplayFailure() override;
    void CheckIdle() override;
    bool IsIdlePaused() override;
    int MillisecondsPerFrame() override;
    void DeleteWidget(Widget* widget) override;
    void RestoreMainThreadPriority() override {}
    void StopAllSounds() override;
    bool IsPlayingDemo() override { return mCommandLine.mPlayDemo; }
    bool IsRecordingDemo() override { return mCommandLine.mRecordDemo; }

    // WindowHost.
    uint32_t MainWindowId() override;
    bool IsInitFinished() override { return mInitFinished; }
    bool IsInRunLoop() override { return mInRunLoop; }
    bool IsWindowHidden() override { return mWindowHidden; }
    bool IsSystemDialogUp() override { return mSystemDialogs.IsSystemDialogUp(); }
    bool IsWindowedWanted() override { return mIsWindowed; }
    bool IsFullScreenForced() override { return mForceFullscreen; }
    bool IsFullScreenFailed() override { return mFullScreenFailed; }
    void BringMainWindowToFront() override;
    void MinimiseMainWindow() override;
    bool MainWindowNormalPosition(int& x, int& y) override;
    bool IsMouseOverClient() override;
    void CaptureMouse(bool capture) override;
    void KeyDown(uint32_t key) override;
    void KeyUp(uint32_t key) override;
    void KeyChar(uint8_t character) override;
    bool IsKeyDown(uint32_t key) override;
    void ClearKeyFlags() override;
    void MapMouse(int& x, int& y) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCode) override;
    void MouseUp(int x, int y, int clickCode) override;
    void MouseWheel(int delta) override;
    void MouseLeave() override;
    void SystemColorsChanged() override;
    void MarkAllDirty() override;
    void GotFocus() override;
    void LostFocus() override;
    void ReleaseHeldMouseButtons() override;

    // SystemDialogHost.
    bool ShowDesktopSurface() override;
    void ClearKeyStates() override { mInputQueue.ClearKeyStates(); }
    const platform::Window* DialogOwner() override { return mMainWindow.get(); }

    // CommandLineHost.
    void ProvokeCrash() override;

    // CursorHost.
    bool HasDisplay() override { return mDDInterface != nullptr; }
    bool IsMouseInside() override { return mInputQueue.mMouseInside; }
    bool IsMouseOverApplication() override;
    bool ChangeCursorImage(Image* image) override;
    void ShowDesktopCursor(int number) override;
    void HideDesktopCursor() override;
    void ForceRedraw() override { mMainLoop.mRedrawForced = true; }

    // CursorThreadHost.
    void CursorPosition(int& x, int& y) override;
    void DisplayCursorPosition(int& x, int& y) override;
    void MoveCursorNow(int x, int y) override;
    void SetWantedCursorPosition(int x, int y) override;

    // DebugKeysHost.
    bool IsShiftDown() override;
    bool IsCtrlDown() override;
    bool IsAltDown() override;
    bool ReloadLiveValues() override;
    bool IsProfiling() override;
    void StartProfiling() override;
    std::string StopProfiling() override;
    void PlayDebugToggleSound() override;
    void ToggleFpsOverlay(bool stepKind) override;
    void ShowVideoStatistics() override;
    bool ToggleDirect3D() override;
    void TakeScreenshot() override;
    void WriteImageReport() override;
    void ShowMessageBox(const std::string& text, const std::string& caption) override;

    // PlaybackKeysHost. The dialogs open once the key's message is handled and
    // hold the demo where it is until they are answered.
    void ShowJumpToTimeDialog() override { mPendingPlaybackDialog = kJumpToTimeDialogId; }
    void ShowMarkerListDialog() override { mPendingPlaybackDialog = kMarkerListDialogId; }
    void ToggleDemoSound() override;
    void HandlePlaybackKey(uint8_t key) override;
    bool IsPlaybackDialogOpen() override { return mPlaybackDialogOpen; }
    // In screen-saver mode input ends the program before anything else sees it.
    bool FilterMessage(const platform::Message& message) override;
    static constexpr int kMarkerListDialogId = 1000000;
    static constexpr int kJumpToTimeDialogId = 1000001;

    // WidgetHost.
    void CopyToClipboard(const std::string& text) override;
    std::string GetClipboardText() override;
    bool AcceptsHighCharacters() override { return mAllowExtendedChars; }
    // Input methods exist on every desktop: edit fields place their caret.
    bool UsesSystemCaret() override { return true; }
    void SetSystemCaretPos(int x, int y) override;

    // ResourceManagerHost.
    std::unique_ptr<MemoryImage> LoadImage(const std::string& fileName) override;
    bool HasSurface(MemoryImage* image) override;
    void SetWantsSurface(MemoryImage* image) override;
    SoundManager* GetSoundManager() override { return mSoundManager.get(); }
    ResourceFontFactory* GetFontFactory() override { return mFontFactory.get(); }

    // Demo recording and playback (mDemo keeps the stream and its state).
    void StartDemoRecording();
    bool ReadDemoFile(std::string& error);
    // The timers of a recorded or replayed run measure logic updates, not
    // real time, so that playback at any speed sees the recorded times.
    void RunTimersOnUpdates();
    void WriteDemoFile();
    void ReplayDemoEvents() override;
    // Playback: the recorded display mode, before the window is made.
    void ReplayStartDisplayMode();
    void RecordMessage(const platform::Message& message) override;
    void RecordMouseEnterLeave(bool entered) override;
    void RecordLoadingDone() override;
    bool DemoReachedLoadingDone() override;
    bool DemoAllowsUpdate(int updateCount, bool loadingHandled) override;
    void RecordOrReplayBuffer(Buffer& buffer);
    void RecordOrReplayString(std::string& text) override;
    void RecordOrReplayBool(bool& flag) override;
    bool ReadBufferFromFile(const std::string& path, Buffer& buffer, bool doNotRecord = false);
    bool FileExists(const std::string& path);
    bool WriteBytesToFile(const std::string& path, const void* bytes, size_t count);
    bool WriteBufferToFile(const std::string& path, const Buffer& buffer);

    // Registry settings layer (inert while mRegKey is empty).
    bool WriteRegistryValue(const std::string& valueName, uint32_t type, const void* data, uint32_t size);
    bool WriteRegistryString(const std::string& valueName, const std::string& text);
    bool WriteRegistryInt(const std::string& valueName, int value);
    bool WriteRegistryBool(const std::string& valueName, bool value);
    bool ReadRegistryValue(const std::string& valueName, uint32_t& type, void* buffer, uint32_t& size);
    bool ReadRegistryInt(const std::string& valueName, int& value);
    bool ReadRegistryBool(const std::string& valueName, bool& value);
    bool EraseRegistryValue(const std::string& valueName);

    // Desktop services.
    virtual bool OpenUrl(const std::string& url, bool shutDownAfter);
    // The file's product version; "" for a file without one (every executable here).
    virtual std::string ReadProductVersion(const std::string& path);
    void OnUrlOpened() override;
    void OnUrlOpenFailed() override;
    bool IsUrlOpening() override { return mDesktop.IsUrlOpening(); }
    uint32_t UrlOpenTime() override { return mDesktop.UrlOpenTime(); }
    bool UrlOpenerRefused() override { return mDesktop.OpenerRefused(); }
    bool SetDesktopWallpaper(const std::string& picturePath);

    // Developer outputs.
    void SaveScreenshot();
    void UpdateDeveloperOverlays() override;
    void DrawDeveloperOverlays() override;

    // Settings and identity.
    uint32_t mRandSeed = 0;
    std::string mCompanyName;
    std::string mCompanyFolder;
    std::string mProductName = "Product";
    std::string mTitle = "QuibApp";
    std::string mRegKey;
    int mWidth = 640;
    int mHeight = 480;
    int mFullScreenBitDepth = 16;
    double mMusicVolume = 0.85;
    double mSfxVolume = 0.85;
    double mDemoMusicVolume = 0;
    double mDemoSfxVolume = 0;
    bool mNoSoundNeeded = false;
    bool mWantFMod = false;
    bool mAllowExtendedChars = true;
    bool mOnlyAllowOneCopyToRun = true;
    std::thread::id mPrimaryThreadId;
    std::atomic<bool> mWindowHidden{false};
    std::atomic<bool> mShutdown{false};
    bool mIsWindowed = true;
    bool mIsPhysWindowed = true;
    // The window gets a maximise box; maximising it switches to full screen.
    bool mMaximiseBoxAllowed = false;
    bool mForceFullscreen = false;
    bool mFullScreenFailed = false;
    bool mInitFinished = false;
    uint32_t mTimeLoaded = 0;
    char mCrashReportText[2048] = {};
    uint32_t mCrashReportTextTick = 0;
    bool mDrawInVideoMemory = false;
    bool mUseRegistry = true;
    std::string mProductVersion;
    int mMuteCount = 0;
    int mAutoMuteCount = 0;
    bool mInRunLoop = false;
    bool mStartLoadingThread = true;
    std::atomic<bool> mShutdownRequested{false};
    std::atomic<bool> mSharedImageReleased{false};
    bool mIs3DSwitched = false;
    bool mAutoEnable3D = false;
    bool mTest3D = false;
    Rect mDrawArea;

    // The parts the application owns and ties together.
    StringTable mStringTable;
    CommandLine mCommandLine{*this, mStringTable};
    SystemDialogs mSystemDialogs{*this, mStringTable};
    LoadingState mLoading;
    MainLoop mMainLoop{*this, mLoading};
    InputQueue mInputQueue{*this};
    CursorSelection mCursorSelection{*this};
    std::unique_ptr<WidgetManager> mWidgetManager;
    std::unique_ptr<ResourceManager> mResourceManager;
    std::unique_ptr<platform::Window> mMainWindow;
    std::unique_ptr<DDInterface> mDDInterface;
    // The mixer outlives the sound manager and the music interface that play into it.
    platform::Mixer mMixer;
    std::unique_ptr<platform::AudioDevice> mAudioDevice;
    std::unique_ptr<SoundManager> mSoundManager;
    std::unique_ptr<MusicInterface> mMusicInterface;
    // The confirmation cue of the developer-key switch, played into the mixer.
    std::unique_ptr<platform::Voice> mDebugToggleVoice;
    std::unique_ptr<ResourceFontFactory> mFontFactory;
    std::unique_ptr<platform::SingleInstance> mSingleInstance;
    DemoRecorder mDemo{[this] { return int(mMainLoop.mUpdateCount); }};
    RegistrySettings mRegistry{mDemo};
    DesktopServices mDesktop{mDemo};
    // The FPS overlay (kind 0: frames per second, 1: mouse position).
    bool mShowFps = false;
    int mFpsOverlayKind = 0;
    OverlayImages mOverlays;
    // A windowed program pauses when the user has been idle for almost the
    // desktop's screen-saver time-out, so that the screen saver can start.
    IdlePause mIdlePause{platform::desktopScreenSaver};
    ScreenSaverFilter mScreenSaverFilter{[this] {
        platform::postMessage({MainWindowId(), platform::WM_CLOSE, 0, 0});
    }};
    std::set<MemoryImage*> mMemoryImageSet;
    std::map<std::pair<std::string, std::string>, SharedImageEntry> mSharedImageMap;
    // Made with the widget manager and destroyed before it.
    std::unique_ptr<DialogRegistry> mDialogRegistry;
    platform::Cursor mHandCursor;
    platform::Cursor mDraggingCursor;

private:
    // Tells the demo layer once a real close has reached the input step.
    void NoteWindowClosed();
    // The fields the registry layer saves and loads.
    SavedSettings CurrentSettings();
    void RunPlaybackDialog();
    void StartTimer();
    void ShowCursorImage(Image* image);
    bool MainWindowOpen() const;
    // The display's lock, which guards the image set and the shared-image map; the
    // application's own until a display exists.
    CriticalSection& ImageLock();

    CriticalSection mImageLock;

    std::string mCommandLineText;
    bool mCommandLineGiven = false;
    platform::Cursor mImageCursor;
    Image* mImageCursorSource = nullptr;
    bool mShowingImageCursor = false;
    platform::Cursor mSystemCursor;
    std::unique_ptr<LoadingThread> mLoadingThread;
    int mPendingPlaybackDialog = 0;
    bool mPlaybackDialogOpen = false;
    std::unique_ptr<Font> mPlaybackListFont;
    // Declared last: destroyed first, so the thread ends before anything it reads.
    CursorThread mCursorThread{*this, mMainLoop};
};

extern QuibAppBase* gApp;
// The application as the crash reporter reaches it.
extern QuibAppBase* gCrashReportApp;

} // namespace Quib
