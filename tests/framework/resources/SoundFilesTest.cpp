#include "SoundTestSupport.h"
#include "framework/resources/OggSound.h"
#include "framework/resources/SoundCache.h"
#include "framework/resources/SunAudio.h"
#include "framework/resources/WavReader.h"
#include "platform/OggDecoder.h"
#include "platform/OggPages.h"

#include <algorithm>
#include <cstdlib>

namespace
{

using namespace soundtest;
using Quib::DecodedSound;

enum class Reader
{
    Wave,
    Ogg,
    Sun
};

bool decode(Reader reader, std::vector<uint8_t> bytes, const std::string& name, DecodedSound& sound,
            std::string& error)
{
    auto source = memory(std::move(bytes));
    switch (reader)
    {
    case Reader::Wave:
        return Quib::ReadRiffWave(*source, name, nullptr, sound, error);
    case Reader::Ogg:
        return Quib::ReadOggSound(std::move(source), name, sound, error);
    case Reader::Sun:
        return Quib::ReadSunAudio(*source, name, sound, error);
    }
    return false;
}

// Each fixture against the reference decoder's raw output of the same file.
TEST(SoundFilesTest, FixturesDecodeLikeTheReference)
{
    struct Case
    {
        const char* file;
        Reader reader;
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        int tolerance; // per sample
    };
    const Case cases[] = {
        {"stereo16.wav", Reader::Wave, 2, 22050, 16, 0},
        {"mono8.wav", Reader::Wave, 1, 11025, 8, 0},
        // Integer and floating-point Vorbis decoders round differently.
        {"stereo.ogg", Reader::Ogg, 2, 44100, 16, 4},
        {"mono.ogg", Reader::Ogg, 1, 22050, 16, 4},
        // This µ-law table runs a little below the reference's at the loud end.
        {"mulaw.au", Reader::Sun, 1, 8000, 16, 508},
        {"linear8.au", Reader::Sun, 2, 8000, 8, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file);
        DecodedSound sound;
        std::string error;
        ASSERT_TRUE(decode(c.reader, fixtureBytes(c.file), c.file, sound, error)) << error;
        EXPECT_EQ(sound.format.channels, c.channels);
        EXPECT_EQ(sound.format.samplesPerSecond, c.rate);
        EXPECT_EQ(sound.format.bitsPerSample, c.bits);
        const auto reference = fixtureBytes(std::string(c.file) + ".raw");
        ASSERT_EQ(sound.bytes.size(), reference.size());
        if (c.bits == 8)
        {
            EXPECT_EQ(sound.bytes, reference);
            continue;
        }
        const auto ours = samples16(sound.bytes);
        const auto theirs = samples16(reference);
        int worst = 0;
        for (size_t i = 0; i < ours.size(); ++i)
            worst = std::max(worst, std::abs(ours[i] - theirs[i]));
        EXPECT_LE(worst, c.tolerance);
    }
}

// A chained stream is found link by link; a later link with damaged headers
// refuses the stream (and, under the leak checker, leaves nothing behind).
TEST(SoundFilesTest, ChainedOggStreamsAreCheckedLinkByLink)
{
    const std::vector<uint8_t> first = fixtureBytes("mono.ogg");
    const std::vector<uint8_t> second = fixtureBytes("stereo.ogg");
    const size_t firstPage = 27 + second[26] +
                             [&]
    {
        size_t body = 0;
        for (size_t i = 0; i < second[26]; ++i)
            body += second[27 + i];
        return body;
    }();
    auto join = [&](std::vector<uint8_t> tail)
    {
        std::vector<uint8_t> joined = first;
        joined.insert(joined.end(), tail.begin(), tail.end());
        return joined;
    };
    std::vector<uint8_t> badChecksum = second;
    badChecksum[firstPage - 1] ^= 0x40;
    const struct
    {
        const char* name;
        std::vector<uint8_t> bytes;
        std::vector<int64_t> links;
        bool opens;
    } cases[] = {
        {"one link", first, {}, true},
        {"two links", join(second), {int64_t(first.size())}, true},
        {"a later link with only its first page",
         join({second.begin(), second.begin() + std::ptrdiff_t(firstPage)}),
         {int64_t(first.size())},
         false},
        {"a later first page that fails its checksum is no link", join(badChecksum), {}, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto source = memory(c.bytes);
        EXPECT_EQ(platform::laterOggLinks(*source), c.links);
        EXPECT_EQ(source->tell(), 0);
        platform::OggDecoder decoder;
        std::string error;
        EXPECT_EQ(decoder.open(std::move(source), error), c.opens) << error;
        if (c.opens)
        {
            EXPECT_EQ(decoder.channels(), 1);
        }
    }
}

TEST(SoundFilesTest, MuLawBytes)
{
    EXPECT_EQ(Quib::DecodeMuLaw(0xFF), 0);
    EXPECT_EQ(Quib::DecodeMuLaw(0x7F), 0);
    EXPECT_EQ(Quib::DecodeMuLaw(0x80), 31616);
    EXPECT_EQ(Quib::DecodeMuLaw(0x00), -31616);
    EXPECT_EQ(Quib::DecodeMuLaw(0xF0), 120);
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(Quib::DecodeMuLaw(uint8_t(b)), -Quib::DecodeMuLaw(uint8_t(b | 0x80))) << b;
}

TEST(SoundFilesTest, TruncatedFilesAreRefusedNamingTheFile)
{
    struct Case
    {
        const char* file;
        Reader reader;
    };
    for (const Case& c :
         {Case{"stereo16.wav", Reader::Wave}, Case{"mono8.wav", Reader::Wave},
          Case{"stereo.ogg", Reader::Ogg}, Case{"mulaw.au", Reader::Sun}, Case{"linear8.au", Reader::Sun}})
    {
        const auto whole = fixtureBytes(c.file);
        for (size_t length : {size_t(0), size_t(3), size_t(10), size_t(30), size_t(44), whole.size() / 2,
                              whole.size() * 9 / 10})
        {
            SCOPED_TRACE(std::string(c.file) + " cut to " + std::to_string(length));
            DecodedSound sound;
            std::string error;
            EXPECT_FALSE(decode(c.reader, std::vector<uint8_t>(whole.begin(), whole.begin() + length),
                                "cut.x", sound, error));
            EXPECT_EQ(error.rfind("cut.x: ", 0), 0u) << error;
        }
    }
}

// Little builders for hand-made RIFF files.
void put(std::vector<uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(tag[i]));
}
void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}
std::vector<uint8_t> riffHeader()
{
    std::vector<uint8_t> out;
    put(out, "RIFF");
    put32(out, 0);
    put(out, "WAVE");
    return out;
}
void putFormat(std::vector<uint8_t>& out, uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    put(out, "fmt ");
    put32(out, 16);
    put16(out, tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, 0);
    put16(out, 0);
    put16(out, bits);
}

TEST(SoundFilesTest, RiffChunkRules)
{
    DecodedSound sound;
    std::string error;

    // "data" before any "fmt ": 1 channel, 22,050 Hz, 16 bits.
    auto noFormat = riffHeader();
    put(noFormat, "data");
    put32(noFormat, 2);
    noFormat.insert(noFormat.end(), {1, 2});
    ASSERT_TRUE(decode(Reader::Wave, noFormat, "a.wav", sound, error)) << error;
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.samplesPerSecond, 22050u);
    EXPECT_EQ(sound.format.bitsPerSample, 16);

    // An odd-sized chunk is followed directly by the next tag, with no pad byte.
    auto odd = riffHeader();
    put(odd, "junk");
    put32(odd, 3);
    odd.insert(odd.end(), {9, 9, 9});
    putFormat(odd, 1, 2, 8000, 8);
    put(odd, "data");
    put32(odd, 2);
    odd.insert(odd.end(), {7, 8});
    ASSERT_TRUE(decode(Reader::Wave, odd, "b.wav", sound, error)) << error;
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.bytes, (std::vector<uint8_t>{7, 8}));

    // Only PCM, and only layouts the mixer plays.
    for (auto [tag, channels, bits] : {std::tuple{3, 1, 16}, std::tuple{1, 0, 16}, std::tuple{1, 6, 16},
                                       std::tuple{1, 2, 24}, std::tuple{1, 2, 0}})
    {
        auto bad = riffHeader();
        putFormat(bad, uint16_t(tag), uint16_t(channels), 44100, uint16_t(bits));
        put(bad, "data");
        put32(bad, 0);
        EXPECT_FALSE(decode(Reader::Wave, bad, "c.wav", sound, error))
            << tag << " " << channels << " " << bits;
    }

    // A "data" chunk that claims more than the file holds is refused before anything is allocated.
    auto huge = riffHeader();
    put(huge, "data");
    put32(huge, 0xFFFFFFF0u);
    EXPECT_FALSE(decode(Reader::Wave, huge, "d.wav", sound, error));
    EXPECT_EQ(error, "d.wav: truncated \"data\" chunk");
}

TEST(SoundFilesTest, SunAudioHeaderRules)
{
    auto header = [](uint32_t offset, uint32_t size, uint32_t encoding, uint32_t rate, uint32_t channels)
    {
        std::vector<uint8_t> out{'.', 's', 'n', 'd'};
        for (uint32_t v : {offset, size, encoding, rate, channels})
            out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
        return out;
    };
    DecodedSound sound;
    std::string error;
    auto good = header(24, 2, 1, 8000, 1);
    good.insert(good.end(), {0x80, 0xFF});
    ASSERT_TRUE(decode(Reader::Sun, good, "ok.au", sound, error)) << error;
    EXPECT_EQ(samples16(sound.bytes), (std::vector<int16_t>{31616, 0}));

    struct Case
    {
        std::vector<uint8_t> bytes;
        const char* why;
    };
    auto withData = [](std::vector<uint8_t> bytes)
    {
        bytes.insert(bytes.end(), 16, 0x55);
        return bytes;
    };
    const Case cases[] = {
        {withData(header(24, 4, 3, 8000, 1)), "16-bit linear is not read"},
        {withData(header(24, 4, 27, 8000, 1)), "A-law is not read"},
        {withData(header(4, 4, 1, 8000, 1)), "data inside the header"},
        {withData(header(1u << 31, 4, 1, 8000, 1)), "offset past the end"},
        {withData(header(24, 0xFFFFFFFFu, 1, 8000, 1)), "size past the end"},
        {withData(header(24, 4, 1, 8000, 0)), "no channels"},
        {withData(header(24, 4, 2, 0, 1)), "no rate"},
    };
    for (const Case& c : cases)
    {
        EXPECT_FALSE(decode(Reader::Sun, c.bytes, "bad.au", sound, error)) << c.why;
        EXPECT_EQ(error.rfind("bad.au: ", 0), 0u) << c.why;
    }
}

TEST(SoundFilesTest, CacheFileLayout)
{
    const platform::AudioFormat format{2, 44100, 16};
    const std::vector<uint8_t> pcm{0x00, 0x5D, 0xFF, 0x12};
    const auto bytes = Quib::BuildSoundCacheFile(format, pcm, "s\\a.ogg", 0x0102030405060708ull);
    const std::vector<uint8_t> expected{
        'R',  'I',  'F',  'F', 40, 0, 0,  0, 'W',  'A',  'V',  'E',                      // S + 36
        'f',  'm',  't',  ' ', 16, 0, 0,  0, 1,    0,    2,    0,    0x44, 0xAC, 0,   0, // PCM, 2 ch, 44,100
        0x10, 0xB1, 0x02, 0,   4,  0, 16, 0, // 176,400 B/s, align 4, 16 bits
        'd',  'e',  'p',  ' ', 17, 0, 0,  0, 7,    0,    's',  '\\', 'a',  '.',  'o', 'g',
        'g',                                                         // n + 10, n, name
        8,    7,    6,    5,   4,  3, 2,  1,                         // FILETIME
        'x',  'o',  'r',  ' ', 1,  0, 0,  0, 0x5D,                   // key
        'd',  'a',  't',  'a', 4,  0, 0,  0, 0x5D, 0x00, 0xA2, 0x4F, // PCM ^ 0x5D
    };
    EXPECT_EQ(bytes, expected);

    // The reader takes it back, asking about the recorded source.
    std::string askedName;
    uint64_t askedTime = 0;
    const auto check = [&](const std::string& name, uint64_t time)
    {
        askedName = name;
        askedTime = time;
        return true;
    };
    DecodedSound sound;
    std::string error;
    auto source = memory(bytes);
    ASSERT_TRUE(Quib::ReadRiffWave(*source, "cache.wav", check, sound, error)) << error;
    EXPECT_EQ(sound.bytes, pcm);
    EXPECT_EQ(askedName, "s\\a.ogg");
    EXPECT_EQ(askedTime, 0x0102030405060708ull);

    auto stale = memory(bytes);
    EXPECT_FALSE(Quib::ReadRiffWave(
        *stale, "cache.wav", [](const std::string&, uint64_t) { return false; }, sound, error));
    EXPECT_EQ(error, "cache.wav: its source has changed");
}

TEST(SoundFilesTest, LongSourceNamesAreNeverTrusted)
{
    const std::string name(300, 'n');
    const auto bytes = Quib::BuildSoundCacheFile(platform::AudioFormat{}, {1, 2}, name, 42);
    bool askedWithRecordedTime = false;
    DecodedSound sound;
    std::string error;
    auto source = memory(bytes);
    Quib::ReadRiffWave(
        *source, "c.wav",
        [&](const std::string& asked, uint64_t time)
        {
            askedWithRecordedTime = asked == name && time == 42;
            return askedWithRecordedTime;
        },
        sound, error);
    EXPECT_FALSE(askedWithRecordedTime);
}

TEST(SoundFilesTest, CacheNames)
{
    struct Case
    {
        const char* name;
        bool cacheable;
    };
    for (const Case& c : {Case{"sounds\\click", true}, Case{"abc", true}, Case{"ab", false}, Case{"a", false},
                          Case{"\\sounds\\x", false}, Case{"/sounds/x", false}, Case{"c:sounds", false}})
        EXPECT_EQ(Quib::IsCacheableSoundName(c.name), c.cacheable) << c.name;
    EXPECT_EQ(Quib::SoundCacheFileName("", "sounds\\click"), "cached\\sounds\\click.wav");
    EXPECT_EQ(Quib::SoundCacheFileName("data/", "x"), "data/cached\\x.wav");
}

} // namespace
