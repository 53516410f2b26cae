#include "ImageLibSupport.h"
#include "framework/files/PakArchiveWriter.h"
#include "framework/files/PakInterface.h"

#include <gtest/gtest.h>

using namespace imagetest;

namespace
{

std::vector<uint32_t> WithAlphaFrom(std::vector<uint32_t> pixels, const std::vector<uint32_t>& alpha)
{
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (pixels[i] & 0xFFFFFF) | (alpha[i] & 0xFF) << 24;
    return pixels;
}

TEST(LoadImageFile, NameWithoutExtensionTriesTgaJpegPngGifInOrder)
{
    ScratchFolder folder;
    folder.CopyFixture("picture.tga", "both.tga");
    folder.CopyFixture("rgb.png", "both.png");
    folder.CopyFixture("picture.gif", "gifonly.gif");
    folder.CopyFixture("colour.jpg", "jpgonly.jpg");

    auto both = ImageLib::LoadImageFile(folder.Path("both"), false);
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(both->mBits, ExpectedPixels("picture.tga"));

    auto gif = ImageLib::LoadImageFile(folder.Path("gifonly"), false);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->mBits[0], ExpectedPixels("picture.gif")[0]);
    EXPECT_NE(ImageLib::LoadImageFile(folder.Path("jpgonly"), false), nullptr);
    EXPECT_EQ(ImageLib::LoadImageFile(folder.Path("nothing"), false), nullptr);
}

TEST(LoadImageFile, ExtensionPicksOneReaderIgnoringCase)
{
    ScratchFolder folder;
    folder.CopyFixture("rgb.png", "pic.png");
    folder.CopyFixture("rgb.png", "pic.bmp");
    folder.CopyFixture("rgb.png", "disguised.jpg");
    folder.CopyFixture("picture.tga", "dotted.name.tga");

    auto upper = ImageLib::LoadImageFile(folder.Path("pic.PNG"), false);
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->mBits, ExpectedPixels("rgb.png"));
    EXPECT_EQ(ImageLib::LoadImageFile(folder.Path("pic.bmp"), false), nullptr);
    EXPECT_EQ(ImageLib::LoadImageFile(folder.Path("disguised.jpg"), false), nullptr);
    // The last dot of the file name starts the extension; a dot in a folder name does not.
    EXPECT_NE(ImageLib::LoadImageFile(folder.Path("dotted.name.tga"), false), nullptr);
    folder.CopyFixture("rgb.png", "dotted.folder/plain.png");
    EXPECT_NE(ImageLib::LoadImageFile(folder.Path("dotted.folder/plain"), false), nullptr);
    // Backslashes separate folders just as slashes do.
    EXPECT_NE(ImageLib::LoadImageFile(folder.Path("") + "\\pic.png", false), nullptr);
}

TEST(LoadImageFile, SeparateAlphaImageReplacesAlphaWhenSizesMatch)
{
    ScratchFolder folder;
    for (const char* name : {"pic.png", "_pic.png", "pic.jpg", "_pic.jpg", "odd.png", "_odd.png"})
        folder.CopyFixture(name, name);
    folder.CopyFixture("pic.png", "pngonly.png");
    folder.CopyFixture("_pic.png", "_pngonly.png");

    auto png = ImageLib::LoadImageFile(folder.Path("pngonly"));
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->mBits, WithAlphaFrom(ExpectedPixels("pic.png"), ExpectedPixels("_pic.png")));

    // Without an extension the JPEG comes before the PNG, and so does its alpha twin.
    auto jpg = ImageLib::LoadImageFile(folder.Path("pic"));
    ASSERT_NE(jpg, nullptr);
    auto plainJpg = ImageLib::ReadJpegImage(folder.Path("pic.jpg"));
    auto alphaJpg = ImageLib::ReadJpegImage(folder.Path("_pic.jpg"));
    EXPECT_EQ(jpg->mBits, WithAlphaFrom({plainJpg->mBits.begin(), plainJpg->mBits.end()},
                                        {alphaJpg->mBits.begin(), alphaJpg->mBits.end()}));

    auto odd = ImageLib::LoadImageFile(folder.Path("odd.png"));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->mBits, ExpectedPixels("odd.png"));

    auto withoutSearch = ImageLib::LoadImageFile(folder.Path("pic.png"), false);
    EXPECT_EQ(withoutSearch->mBits, ExpectedPixels("pic.png"));
}

TEST(LoadImageFile, AlphaFileAloneIsColouredWithTheComposeColour)
{
    ScratchFolder folder;
    folder.CopyFixture("_lonely.png", "_lonely.png");
    std::vector<uint32_t> intensity = ExpectedPixels("_lonely.png");

    auto white = ImageLib::LoadImageFile(folder.Path("lonely.png"));
    ASSERT_NE(white, nullptr);
    std::vector<uint32_t> expected(intensity.size(), 0xFFFFFF);
    EXPECT_EQ(white->mBits, WithAlphaFrom(expected, intensity));

    ImageLib::gAlphaComposeColor = 0x123456;
    auto coloured = ImageLib::LoadImageFile(folder.Path("lonely"));
    ImageLib::gAlphaComposeColor = 0xFFFFFF;
    ASSERT_NE(coloured, nullptr);
    expected.assign(intensity.size(), 0x123456);
    EXPECT_EQ(coloured->mBits, WithAlphaFrom(expected, intensity));
}

TEST(LoadImageFile, AlphaImageIsAlsoSoughtWithUnderscoreBeforeTheWholeName)
{
    ScratchFolder folder;
    folder.CopyFixture("pic.png", "sub/pic.png");
    folder.CopyFixture("_pic.png", "_sub/pic.png");
    // The name is relative, as the game's names are: the scratch folder is made current.
    std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path(""));
    auto image = ImageLib::LoadImageFile("sub/pic");
    std::filesystem::current_path(previous);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, WithAlphaFrom(ExpectedPixels("pic.png"), ExpectedPixels("_pic.png")));
}

TEST(LoadImageFile, PicturesAndAlphaImagesComeFromAMountedArchive)
{
    ScratchFolder folder;
    PakArchiveWriter archive;
    ASSERT_TRUE(archive.AddFile("packed\\pic.png", ReadBytes(FixturePath("pic.png"))));
    ASSERT_TRUE(archive.AddFile("packed\\_pic.png", ReadBytes(FixturePath("_pic.png"))));
    ASSERT_TRUE(archive.WriteTo(folder.Path("test.pak")));
    ASSERT_TRUE(gPakInterface->MountArchive(folder.Path("test.pak")));

    std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path(""));
    auto image = ImageLib::LoadImageFile("Packed/PIC");
    std::filesystem::current_path(previous);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mBits, WithAlphaFrom(ExpectedPixels("pic.png"), ExpectedPixels("_pic.png")));
}

} // namespace
