#include "platform/OggDecoder.h"

#include "platform/OggPages.h"

#include <climits>
#include <cstdio>
#include <tremor/ivorbisfile.h>

namespace platform
{

struct OggDecoder::State
{
    OggVorbis_File file{};
    bool open = false;
    std::unique_ptr<AudioByteSource> source;
};

namespace
{

size_t readCallback(void* out, size_t size, size_t count, void* data)
{
    if (size == 0 || count > SIZE_MAX / size)
        return 0;
    return static_cast<AudioByteSource*>(data)->read(out, size * count) / size;
}

int seekCallback(void* data, ogg_int64_t offset, int whence)
{
    return static_cast<AudioByteSource*>(data)->seek(offset, whence) ? 0 : -1;
}

// The source is owned by the decoder and released with it.
int closeCallback(void*)
{
    return 0;
}

long tellCallback(void* data)
{
    return long(static_cast<AudioByteSource*>(data)->tell());
}

// Opens the link that starts at `offset` as a stream of its own that cannot seek.
bool linkOpens(AudioByteSource& source, int64_t offset)
{
    if (!source.seek(offset, SEEK_SET))
        return false;
    OggVorbis_File file{};
    const ov_callbacks callbacks{readCallback, nullptr, closeCallback, nullptr};
    const bool opened = ov_open_callbacks(&source, &file, nullptr, 0, callbacks) >= 0;
    if (opened)
        ov_clear(&file);
    return source.seek(0, SEEK_SET) && opened;
}

const char* openErrorText(int code)
{
    switch (code)
    {
    case OV_EREAD:
        return "read error";
    case OV_ENOTVORBIS:
        return "not Ogg Vorbis data";
    case OV_EVERSION:
        return "unsupported Vorbis version";
    case OV_EBADHEADER:
        return "invalid Vorbis header";
    default:
        return "damaged Ogg Vorbis stream";
    }
}

} // namespace

OggDecoder::OggDecoder() : mState(std::make_unique<State>()) {}

OggDecoder::~OggDecoder()
{
    if (mState->open)
        ov_clear(&mState->file);
}

bool OggDecoder::open(std::unique_ptr<AudioByteSource> source, std::string& error)
{
    if (mState->open)
    {
        ov_clear(&mState->file);
        mState->open = false;
    }
    mState->source = std::move(source);
    // Opening a chained stream whose later link has damaged headers makes the
    // decoder lose a little memory, so each later link is first opened on its
    // own, where a failure leaves nothing behind, and a damaged one refuses the stream.
    for (const int64_t link : laterOggLinks(*mState->source))
    {
        if (!linkOpens(*mState->source, link))
        {
            error = openErrorText(OV_EBADHEADER);
            mState->source.reset();
            return false;
        }
    }
    const ov_callbacks callbacks{readCallback, seekCallback, closeCallback, tellCallback};
    const int result = ov_open_callbacks(mState->source.get(), &mState->file, nullptr, 0, callbacks);
    if (result < 0)
    {
        error = openErrorText(result);
        mState->source.reset();
        return false;
    }
    mState->open = true;
    const int count = channels();
    if (count != 1 && count != 2)
    {
        error = "unsupported channel count " + std::to_string(count);
        ov_clear(&mState->file);
        mState->open = false;
        return false;
    }
    return true;
}

bool OggDecoder::isOpen() const
{
    return mState->open;
}

int OggDecoder::channels() const
{
    vorbis_info* info = mState->open ? ov_info(&mState->file, -1) : nullptr;
    return info ? info->channels : 0;
}

uint32_t OggDecoder::samplesPerSecond() const
{
    vorbis_info* info = mState->open ? ov_info(&mState->file, -1) : nullptr;
    return info && info->rate > 0 ? uint32_t(info->rate) : 0;
}

int64_t OggDecoder::totalFrames()
{
    return mState->open ? ov_pcm_total(&mState->file, -1) : -1;
}

long OggDecoder::read(void* out, int bytes)
{
    if (!mState->open)
        return -1;
    int link = 0;
    return ov_read(&mState->file, static_cast<char*>(out), bytes, &link);
}

bool OggDecoder::seekFrame(int64_t frame)
{
    return mState->open && ov_pcm_seek(&mState->file, frame) == 0;
}

} // namespace platform
