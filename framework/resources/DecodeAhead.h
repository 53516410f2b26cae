#pragma once

#include "framework/resources/ImageLib.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ImageLib
{

// One picture file to decode ahead: its name as the loader will ask for it, and
// the colour a picture that exists only as its alpha file is given.
struct DecodeRequest
{
    std::string mName;
    uint32_t mAlphaColor = 0xFFFFFF;
};

// Decodes a group's picture files on worker threads in the order its loader will
// ask for them, a few pictures ahead of it: the loader still takes them one at a
// time and in order, and finds them decoded. Only the thread that began the run
// takes from it; LoadImageFile on that thread asks here first.
class DecodeAhead
{
public:
    // At most `window` pictures are decoded and not yet taken at any time.
    DecodeAhead(unsigned workers, size_t window);
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // Workers for this machine: the processors the loader leaves free, at most three.
    static unsigned DefaultWorkers();

    // Starts on the requests and makes this run the calling thread's; a run still
    // going is ended first.
    void Begin(std::vector<DecodeRequest> requests);
    // Drops what was not taken, waits for the workers and leaves the thread.
    void End();
    // The picture of a pending request with this name and colour (null when the
    // file could not be decoded), waiting until a worker has decoded it; nothing
    // when no pending request matches, and the caller decodes the file itself.
    // Requests before it that were never taken are dropped: the loader has
    // passed them.
    std::optional<std::unique_ptr<Image>> Take(const std::string& name, uint32_t alphaColor);

    // The run begun on the calling thread, or null.
    static DecodeAhead* OfThisThread();

    // The most pictures that were decoded and waiting at once in this run.
    size_t MostWaiting() const;

private:
    enum class State
    {
        Queued,
        Decoding,
        Decoded,
        Gone
    };
    struct Entry
    {
        DecodeRequest mRequest;
        State mState = State::Queued;
        bool mDropped = false; // while a worker decodes it
        std::unique_ptr<Image> mImage;
    };

    void Work();
    void Drop(Entry& entry);

    const unsigned mWorkers;
    const size_t mWindow;
    mutable std::mutex mLock;
    std::condition_variable mChanged;
    std::vector<Entry> mEntries;
    size_t mNext = 0;    // the first entry no worker has taken up
    size_t mWaiting = 0; // entries being decoded or decoded and not taken
    size_t mMostWaiting = 0;
    bool mStopping = false;
    std::vector<std::thread> mThreads;
};

} // namespace ImageLib
