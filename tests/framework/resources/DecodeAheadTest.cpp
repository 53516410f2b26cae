#include "framework/resources/DecodeAhead.h"

#include "ImageLibSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace imagetest;

namespace
{

// Pictures of different sizes and colours, so that a mix-up shows.
std::vector<std::string> WritePictures(const ScratchFolder& folder, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
    {
        ImageLib::Image picture(3 + i, 2 + i % 3);
        for (size_t p = 0; p < picture.mBits.size(); ++p)
            picture.mBits[p] = 0xFF000000u | uint32_t(i * 0x101010 + int(p));
        names.push_back(folder.Path("picture" + std::to_string(i) + ".png"));
        EXPECT_TRUE(ImageLib::SavePngFile(names.back(), picture));
    }
    return names;
}

std::vector<ImageLib::DecodeRequest> Requests(const std::vector<std::string>& names,
                                              uint32_t color = 0xFFFFFF)
{
    std::vector<ImageLib::DecodeRequest> requests;
    for (const std::string& name : names)
        requests.push_back({name, color});
    return requests;
}

// The loader gets the very pictures it would have decoded itself, whichever
// requests it passes over, and never more wait decoded than the window allows.
TEST(DecodeAhead, LoaderGetsTheSamePicturesInOrderWithGapsAndMissingFiles)
{
    ScratchFolder folder;
    std::vector<std::string> names = WritePictures(folder, 9);
    names.insert(names.begin() + 4, folder.Path("missing.png"));
    const std::vector<std::vector<size_t>> takes = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
        {1, 3, 4, 9},
        {9},
        {},
    };
    for (const auto& taken : takes)
    {
        ImageLib::DecodeAhead ahead(3, 2);
        ahead.Begin(Requests(names));
        ASSERT_EQ(ImageLib::DecodeAhead::OfThisThread(), &ahead);
        for (size_t index : taken)
        {
            SCOPED_TRACE(names[index]);
            const auto direct = ImageLib::DecodeImageFile(names[index], true, 0xFFFFFF);
            const auto loaded = ImageLib::LoadImageFile(names[index]);
            ASSERT_EQ(loaded == nullptr, direct == nullptr);
            if (direct != nullptr)
            {
                EXPECT_EQ(loaded->mWidth, direct->mWidth);
                EXPECT_EQ(loaded->mBits, direct->mBits);
            }
        }
        // A request passed over is not handed out later.
        if (!taken.empty() && taken.front() > 0)
            EXPECT_FALSE(ahead.Take(names[0], 0xFFFFFF).has_value());
        EXPECT_LE(ahead.MostWaiting(), 2u);
        ahead.End();
        EXPECT_EQ(ImageLib::DecodeAhead::OfThisThread(), nullptr);
    }
}

// A request is matched by name and by the colour an alpha-only picture gets,
// and only on the thread that began the run.
TEST(DecodeAhead, TakesOnlyWhatWasAskedForOnItsOwnThread)
{
    ScratchFolder folder;
    const std::vector<std::string> names = WritePictures(folder, 3);
    ImageLib::Image alpha(2, 2);
    for (uint32_t& pixel : alpha.mBits)
        pixel = 0xFF808080u;
    const std::string alphaOnly = folder.Path("shape.png");
    ASSERT_TRUE(ImageLib::SavePngFile(folder.Path("_shape.png"), alpha));

    ImageLib::DecodeAhead ahead(2, 4);
    ahead.Begin({{names[0], 0xFFFFFF}, {alphaOnly, 0x00FF00}, {names[1], 0xFFFFFF}, {names[2], 0xFFFFFF}});
    EXPECT_FALSE(ahead.Take(folder.Path("other.png"), 0xFFFFFF).has_value());
    EXPECT_FALSE(ahead.Take(alphaOnly, 0xFFFFFF).has_value());
    std::thread([&] { EXPECT_EQ(ImageLib::DecodeAhead::OfThisThread(), nullptr); }).join();

    const auto green = ahead.Take(alphaOnly, 0x00FF00);
    ASSERT_TRUE(green.has_value());
    ASSERT_NE(*green, nullptr);
    EXPECT_EQ((*green)->mBits[0], 0x8000FF00u);
    // Skipping over a request drops it; the later ones are still there.
    EXPECT_FALSE(ahead.Take(names[0], 0xFFFFFF).has_value());
    EXPECT_TRUE(ahead.Take(names[2], 0xFFFFFF).has_value());
    EXPECT_FALSE(ahead.Take(names[1], 0xFFFFFF).has_value());
}

// Ending a run that was never taken from, or never begun, leaves nothing behind.
TEST(DecodeAhead, EndingAtAnyPointIsSafe)
{
    ScratchFolder folder;
    const std::vector<std::string> names = WritePictures(folder, 6);
    ImageLib::DecodeAhead ahead(3, 1);
    ahead.End();
    ahead.Begin(Requests(names));
    ASSERT_TRUE(ahead.Take(names[1], 0xFFFFFF).has_value());
    ahead.Begin(Requests(names));
    EXPECT_TRUE(ahead.Take(names[0], 0xFFFFFF).has_value());
    ahead.End();
    EXPECT_FALSE(ahead.Take(names[2], 0xFFFFFF).has_value());
    ahead.Begin(Requests(names));
}

} // namespace
