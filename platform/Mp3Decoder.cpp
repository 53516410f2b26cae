#include "platform/Mp3Decoder.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <mpg123.h>
#include <mutex>
#include <sys/types.h>

namespace platform
{

struct Mp3Decoder::State
{
    mpg123_handle* handle = nullptr;
    bool open = false;
    long rate = 0;
    int channels = 0;
    std::unique_ptr<AudioByteSource> source;
};

namespace
{

ssize_t readCallback(void* data, void* out, size_t bytes)
{
    return ssize_t(static_cast<AudioByteSource*>(data)->read(out, std::min<size_t>(bytes, SSIZE_MAX)));
}

off_t seekCallback(void* data, off_t offset, int whence)
{
    auto* source = static_cast<AudioByteSource*>(data);
    return source->seek(offset, whence) ? off_t(source->tell()) : off_t(-1);
}

// The source is owned by the decoder and released with it.
void cleanupCallback(void*) {}

mpg123_handle* newHandle()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle)
        return nullptr;
    // Gapless: the encoder's delay and padding are taken off, as the encoder recorded them.
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    // Every rate the decoder knows, but always 16-bit samples in the stream's own layout.
    mpg123_format_none(handle);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    mpg123_replace_reader_handle(handle, readCallback, seekCallback, cleanupCallback);
    return handle;
}

} // namespace

Mp3Decoder::Mp3Decoder() : mState(std::make_unique<State>()) {}

Mp3Decoder::~Mp3Decoder()
{
    if (mState->handle)
    {
        mpg123_close(mState->handle);
        mpg123_delete(mState->handle);
    }
}

bool Mp3Decoder::open(std::unique_ptr<AudioByteSource> source, std::string& error)
{
    if (!mState->handle)
        mState->handle = newHandle();
    if (!mState->handle)
    {
        error = "no MP3 decoder";
        return false;
    }
    mpg123_close(mState->handle);
    mState->open = false;
    mState->source = std::move(source);
    int encoding = 0;
    if (mpg123_open_handle(mState->handle, mState->source.get()) != MPG123_OK ||
        mpg123_getformat(mState->handle, &mState->rate, &mState->channels, &encoding) != MPG123_OK)
    {
        error = "not MP3 data";
        mpg123_close(mState->handle);
        mState->source.reset();
        return false;
    }
    if (mState->channels != 1 && mState->channels != 2)
    {
        error = "unsupported channel count " + std::to_string(mState->channels);
        mpg123_close(mState->handle);
        mState->source.reset();
        return false;
    }
    mState->open = true;
    return true;
}

int Mp3Decoder::channels() const
{
    return mState->open ? mState->channels : 0;
}

uint32_t Mp3Decoder::samplesPerSecond() const
{
    return mState->open && mState->rate > 0 ? uint32_t(mState->rate) : 0;
}

long Mp3Decoder::read(void* out, int bytes)
{
    if (!mState->open || bytes < 0)
        return -1;
    for (;;)
    {
        size_t done = 0;
        const int result = mpg123_read(mState->handle, out, size_t(bytes), &done);
        if (done > 0)
            return long(done);
        if (result == MPG123_NEW_FORMAT)
        {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(mState->handle, &rate, &channels, &encoding);
            if (rate != mState->rate || channels != mState->channels)
                return 0;
            continue;
        }
        return result == MPG123_DONE ? 0 : -1;
    }
}

bool Mp3Decoder::seekFrame(int64_t frame)
{
    return mState->open && mpg123_seek(mState->handle, off_t(frame), SEEK_SET) >= 0;
}

} // namespace platform
