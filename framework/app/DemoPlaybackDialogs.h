#pragma once

#include "framework/services/PlaybackAids.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListListener.h"
#include "framework/widgets/ListWidget.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{

// The markers of the demo being played that still lie ahead; a double click
// on one makes it the playback target and ends the dialog.
class MarkerListDialog : public Dialog, public ListListener
{
public:
    MarkerListDialog(int id, Font* font, std::vector<MarkerListEntry> entries, int updateCount,
                     int& playbackTarget);

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void OnZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void OnListClick(int id, int lineIndex, int clickCount) override;

    std::unique_ptr<ListWidget> mList;

private:
    std::vector<MarkerListEntry> mEntries;
    int mUpdateCount;
    int& mPlaybackTarget;
};

// A time to jump to, counted back from the end of the recording; the last
// one typed is offered again.
class JumpToTimeDialog : public Dialog
{
public:
    JumpToTimeDialog(int id, const std::string& registryKey, int demoLength, int frameTimeMs,
                     int& playbackTarget);

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void OnZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void OnButtonReleased(int id) override;

    std::unique_ptr<EditWidget> mEdit;

private:
    std::string mRegistryKey;
    int mDemoLength;
    int mFrameTimeMs;
    int& mPlaybackTarget;
};

} // namespace Quib
