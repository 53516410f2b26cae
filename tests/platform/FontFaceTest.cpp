#include "platform/FontFace.h"

#include "platform/Files.h"
#include "platform/FontMatcher.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using platform::CoverageMask;
using platform::FontFace;

namespace
{

std::unique_ptr<FontFace> DejaVu(int pixels)
{
    return FontFace::open(platform::matchFont("DejaVu Sans", false, false), pixels);
}

// The bounding box of every covered pixel: left, top, right, bottom (exclusive).
std::vector<int> InkBox(const CoverageMask& mask)
{
    std::vector<int> box{mask.width, mask.height, 0, 0};
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.pixels[size_t(y) * mask.width + x] != 0)
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
                       std::max(box[3], y + 1)};
    return box;
}

} // namespace

TEST(FontFaceTest, MatchesNamedFacesWithAFallback)
{
    for (const char* family : {"Arial Unicode MS", "Tahoma", "DejaVu Sans", "No Such Family 42"})
    {
        platform::FontFile file = platform::matchFont(family, false, false);
        EXPECT_TRUE(platform::fileExists(file.path)) << family << " -> " << file.path;
        EXPECT_NE(FontFace::open(file, 16), nullptr) << family;
    }
    EXPECT_NE(platform::matchFont("DejaVu Sans", true, false).path,
              platform::matchFont("DejaVu Sans", false, false).path);
    EXPECT_EQ(FontFace::open(platform::FontFile{"/nonexistent/face.ttf", 0}, 16), nullptr);
    EXPECT_EQ(DejaVu(0), nullptr);
    EXPECT_EQ(DejaVu(-3), nullptr);
}

// Only a regular file is handed to the font reader: a pipe in a font's place
// would block it for ever (the alarm ends the test then).
TEST(FontFaceTest, APipeIsNoFont)
{
    char folder[] = "/tmp/orvellan-fontface-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string pipe = std::string(folder) + "/face.ttf";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    alarm(60);
    EXPECT_EQ(FontFace::open(platform::FontFile{pipe, 0}, 16), nullptr);
    alarm(0);
    unlink(pipe.c_str());
    rmdir(folder);
}

TEST(FontFaceTest, MetricsAndAdvances)
{
    auto face = DejaVu(16);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->metrics().ascent, 15);
    EXPECT_EQ(face->metrics().descent, 4);
    EXPECT_EQ(face->metrics().height, 19);
    EXPECT_GT(face->advance('W'), face->advance('i'));
    EXPECT_EQ(face->measure("Wi"), face->advance('W') + face->advance('i'));
    EXPECT_EQ(face->measure("a\tb\n"), face->advance('a') + face->advance('b'));
    // Bytes of the single-byte code page stand for their Unicode characters.
    EXPECT_EQ(face->measure("\x80\xE9"), face->advance(0x20AC) + face->advance(0xE9));
    EXPECT_LT(DejaVu(40)->kerning('A', 'T'), 0);
}

TEST(FontFaceTest, RendersInsideTheTextCell)
{
    auto face = DejaVu(20);
    const int width = face->measure("Hg");
    CoverageMask mask(width, face->metrics().height);
    face->render("Hg", 0, 0, mask);
    std::vector<int> box = InkBox(mask);
    EXPECT_LE(box[0], 2);
    EXPECT_GE(box[2], width - 3);
    EXPECT_LE(box[1], face->metrics().ascent - 13); // the H reaches up near the top
    EXPECT_GT(box[3], face->metrics().ascent);      // the g hangs below the baseline

    CoverageMask shifted(width + 5, face->metrics().height + 5);
    face->render("Hg", 5, 5, shifted);
    EXPECT_EQ(InkBox(shifted), (std::vector<int>{box[0] + 5, box[1] + 5, box[2] + 5, box[3] + 5}));

    CoverageMask clipped(3, 3);
    face->render("Hg", -10, -10, clipped); // ink off the mask is dropped
    platform::GlyphBitmap glyph = face->renderGlyph('H');
    EXPECT_GT(glyph.mask.width, 0);
    EXPECT_EQ(glyph.advance, face->advance('H'));
    EXPECT_EQ(glyph.top, face->metrics().ascent - box[1]);
}

TEST(FontFaceTest, FacesWorkFromSeveralThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> widths(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(
            [t, &widths]
            {
                for (int i = 0; i < 20; ++i)
                {
                    auto face = DejaVu(10 + t);
                    CoverageMask mask(200, 30);
                    face->render("Concurrent text", 0, 0, mask);
                    widths[t] = face->measure("Concurrent text");
                }
            });
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(widths[t], DejaVu(10 + t)->measure("Concurrent text"));
}
