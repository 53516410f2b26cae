#include "ImageLibSupport.h"
#include "ResourceManagerSupport.h"
#include "framework/resources/ImageLib.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace resourcetest;
using imagetest::ExpectedPixels;
using imagetest::ScratchFolder;

namespace
{

// A manager over a manifest whose default path is a scratch folder holding the pictures.
struct Loader
{
    ScratchFolder folder;
    FakeResourceHost host;
    TestResourceManager manager{&host};

    Loader()
    {
        for (const char* name : {"pic.png", "_pic.png", "rgba.png", "_odd.png", "picture.gif"})
            folder.CopyFixture(name, name);
    }

    void Read(const std::string& groups)
    {
        std::string text = Manifest("<Resources id=\"Defaults\"><SetDefaults path=\"" + folder.Path("") +
                                    "\"/></Resources>\n" + groups);
        folder.Write("resources.xml", std::vector<uint8_t>(text.begin(), text.end()));
        ASSERT_TRUE(manager.ReadManifest(folder.Path("resources.xml"))) << manager.GetErrorMessage();
    }

    Quib::MemoryImage* Image(const std::string& id)
    {
        return dynamic_cast<Quib::MemoryImage*>(manager.GetImageOrThrow(id).GetImage());
    }
};

const char* const kMixedGroup = R"(
<Resources id="Init">
  <Image id="PIC" path="pic.png" nopal=""/>
  <Sound id="CLICK" path="click.ogg" volume="0.5" pan="200"/>
  <Image id="MADE" path="!program"/>
  <Font id="BIG" path="fonts/big.txt"/>
  <Image id="GIF" path="picture.gif" nopal=""/>
</Resources>)";

TEST(ResourceManagerLoad, GroupLoadsAtOnceAndHandsOutByIdentifier)
{
    Loader loader;
    loader.Read(kMixedGroup);
    ASSERT_TRUE(loader.manager.LoadGroup("Init")) << loader.manager.GetErrorMessage();
    EXPECT_TRUE(loader.manager.IsGroupLoaded("INIT"));

    Quib::MemoryImage* pic = loader.Image("PIC");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->mWidth, 13);
    // The picture's alpha comes from its "_" twin on the way in.
    EXPECT_EQ(pic->GetBits()[0] >> 24, ExpectedPixels("_pic.png")[0] & 0xFF);
    EXPECT_EQ(loader.Image("GIF")->GetBits()[0], ExpectedPixels("picture.gif")[0]);

    int click = loader.manager.GetSoundOrThrow("CLICK");
    EXPECT_EQ(loader.host.mSounds.mLoaded.at(click), loader.folder.Path("click.ogg"));
    EXPECT_EQ(loader.host.mSounds.mVolumes.at(click), 0.5);
    EXPECT_EQ(loader.host.mSounds.mPans.at(click), 200);

    auto* font = dynamic_cast<FakeFont*>(loader.manager.GetFontOrThrow("BIG"));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->mSource, "descriptor:" + loader.folder.Path("fonts/big.txt"));
    EXPECT_EQ(loader.manager.FindFont("BIG"), font);
    EXPECT_EQ(loader.manager.FindFont("NONE"), nullptr);
}

TEST(ResourceManagerLoad, StepByStepCountsEveryResourceOnce)
{
    Loader loader;
    loader.Read(kMixedGroup);
    const int total = loader.manager.CountGroupResources("Init");
    EXPECT_EQ(total, 4);

    loader.manager.BeginGroupLoad("Init");
    int loaded = 0;
    while (loader.manager.LoadNextInGroup())
        ++loaded;
    EXPECT_EQ(loaded, total);
    EXPECT_FALSE(loader.manager.ErrorOccurred());
    EXPECT_EQ(loader.manager.mLoadedOrder, (std::vector<std::string>{"PIC", "CLICK", "BIG", "GIF"}));
    // Step loading alone does not mark the group loaded.
    EXPECT_FALSE(loader.manager.IsGroupLoaded("Init"));

    size_t decodes = loader.host.mImageLoads.size();
    EXPECT_TRUE(loader.manager.LoadGroup("Init"));
    EXPECT_EQ(loader.host.mImageLoads.size(), decodes);
    EXPECT_EQ(loader.manager.mLoadedOrder.size(), 4u);
    EXPECT_TRUE(loader.manager.IsGroupLoaded("Init"));

    // Without a cursor, or past the end, there is nothing to load.
    TestResourceManager fresh(&loader.host);
    EXPECT_FALSE(fresh.LoadNextInGroup());
}

TEST(ResourceManagerLoad, LoadingThreadStepsThroughAGroupWhileProgressIsRead)
{
    Loader loader;
    loader.Read(kMixedGroup);
    const int total = loader.manager.CountGroupResources("Init");
    std::atomic<int> done{0};
    std::atomic<bool> finished{false};
    loader.manager.BeginGroupLoad("Init");
    std::thread loading(
        [&]
        {
            while (loader.manager.LoadNextInGroup())
                ++done;
            finished = true;
        });
    // The main thread only reads the count, as the title screen does for its progress bar.
    int lastSeen = 0;
    while (!finished)
    {
        int now = done.load();
        EXPECT_GE(now, lastSeen);
        lastSeen = now;
        std::this_thread::yield();
    }
    loading.join();
    EXPECT_EQ(done.load(), total);
    EXPECT_FALSE(loader.manager.ErrorOccurred());
    EXPECT_NE(loader.Image("GIF"), nullptr);
}

TEST(ResourceManagerLoad, GroupNamesMatchInAnyCaseButUnloadMatchesExactly)
{
    Loader loader;
    loader.Read(kMixedGroup);
    EXPECT_TRUE(loader.manager.LoadGroup("NeverDeclared"));
    EXPECT_TRUE(loader.manager.LoadGroup("init"));
    EXPECT_NE(loader.Image("PIC"), nullptr);

    loader.manager.UnloadGroup("init");
    EXPECT_NE(loader.Image("PIC"), nullptr);
    EXPECT_FALSE(loader.manager.IsGroupLoaded("Init"));

    int click = loader.manager.GetSoundOrThrow("CLICK");
    loader.manager.UnloadGroup("Init");
    EXPECT_THROW(loader.manager.GetImageOrThrow("PIC"), Quib::ResourceManagerException);
    EXPECT_THROW(loader.manager.GetSoundOrThrow("CLICK"), Quib::ResourceManagerException);
    EXPECT_THROW(loader.manager.GetFontOrThrow("BIG"), Quib::ResourceManagerException);
    EXPECT_EQ(loader.host.mSounds.mLoaded.count(click), 0u);

    // Entries stay declared and load again.
    EXPECT_TRUE(loader.manager.LoadGroup("Init"));
    EXPECT_NE(loader.Image("PIC"), nullptr);
    EXPECT_EQ(loader.host.mSounds.CountLoadedSounds(), 1);
}

TEST(ResourceManagerLoad, GettersThrowForUndeclaredUnloadedOrProgramMadeIds)
{
    Loader loader;
    loader.Read(kMixedGroup);
    const struct
    {
        const char* id;
        int kind;
        const char* message;
    } cases[] = {
        {"NOPE", Quib::RESOURCE_KIND_IMAGE, "Image resource not found: NOPE"},
        {"PIC", Quib::RESOURCE_KIND_IMAGE, "Image resource not found: PIC"},
        {"MADE", Quib::RESOURCE_KIND_IMAGE, "Image resource not found: MADE"},
        {"PIC", Quib::RESOURCE_KIND_SOUND, "Sound resource not found: PIC"},
        {"CLICK", Quib::RESOURCE_KIND_SOUND, "Sound resource not found: CLICK"},
        {"BIG", Quib::RESOURCE_KIND_FONT, "Font resource not found: BIG"},
    };
    for (const auto& c : cases)
    {
        loader.manager.BeginGroupLoad("Nothing"); // clears the error of the case before
        try
        {
            if (c.kind == Quib::RESOURCE_KIND_IMAGE)
                loader.manager.GetImageOrThrow(c.id);
            else if (c.kind == Quib::RESOURCE_KIND_SOUND)
                loader.manager.GetSoundOrThrow(c.id);
            else
                loader.manager.GetFontOrThrow(c.id);
            ADD_FAILURE() << c.message;
        }
        catch (const Quib::ResourceManagerException& e)
        {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(loader.manager.GetErrorMessage(), c.message);
        }
    }

    // With an earlier error pending, that error is what is thrown.
    loader.manager.BeginGroupLoad("Nothing");
    EXPECT_THROW(loader.manager.GetImageOrThrow("FIRST"), Quib::ResourceManagerException);
    try
    {
        loader.manager.GetFontOrThrow("SECOND");
    }
    catch (const Quib::ResourceManagerException& e)
    {
        EXPECT_STREQ(e.what(), "Image resource not found: FIRST");
    }
}

TEST(ResourceManagerLoad, FailedResourceStopsTheGroupUntilTheNextBegin)
{
    Loader loader;
    loader.Read(R"(
<Resources id="g">
  <Image id="A" path="pic.png"/>
  <Image id="MISSING" path="missing.png"/>
  <Image id="C" path="rgba.png"/>
</Resources>)");
    EXPECT_FALSE(loader.manager.LoadGroup("g"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Failed to load image: " + loader.folder.Path("missing.png"));
    EXPECT_FALSE(loader.manager.IsGroupLoaded("g"));
    EXPECT_NE(loader.Image("A"), nullptr);
    EXPECT_THROW(loader.manager.GetImageOrThrow("C"), Quib::ResourceManagerException);
    EXPECT_FALSE(loader.manager.LoadNextInGroup());

    loader.manager.BeginGroupLoad("g");
    EXPECT_FALSE(loader.manager.ErrorOccurred());
    EXPECT_FALSE(loader.manager.LoadNextInGroup()); // "A" is skipped, "MISSING" fails again
    EXPECT_TRUE(loader.manager.ErrorOccurred());
}

TEST(ResourceManagerLoad, AlphaImagesAndGridsMergeOrFailBySize)
{
    Loader loader;
    // One cell of a 13 x 9 picture in 1 column and 3 rows: 13 x 3.
    ImageLib::Image cell(13, 3);
    for (size_t i = 0; i < cell.mBits.size(); ++i)
        cell.mBits[i] = 0xFF000000u | uint32_t(i * 5);
    ASSERT_TRUE(ImageLib::SavePngFile(loader.folder.Path("cell.png"), cell));
    loader.Read(R"(
<Resources id="good">
  <Image id="ALPHA" path="rgba.png" alphaimage="_pic.png" nopal=""/>
  <Image id="GRID" path="pic.png" alphagrid="cell.png" rows="3" nopal="" variant="grid"/>
</Resources>
<Resources id="size"><Image id="BAD" path="rgba.png" alphaimage="_odd.png" variant="b"/></Resources>
<Resources id="cell"><Image id="BADGRID" path="rgba.png" alphagrid="cell.png" rows="2" variant="c"/></Resources>
<Resources id="gone"><Image id="NOALPHA" path="rgba.png" alphaimage="none.png" variant="d"/></Resources>)");
    ASSERT_TRUE(loader.manager.LoadGroup("good")) << loader.manager.GetErrorMessage();

    std::vector<uint32_t> colours = ExpectedPixels("rgba.png");
    std::vector<uint32_t> mask = ExpectedPixels("_pic.png");
    const uint32_t* alpha = loader.Image("ALPHA")->GetBits();
    for (size_t i = 0; i < colours.size(); ++i)
        ASSERT_EQ(alpha[i], (colours[i] & 0xFFFFFF) | (mask[i] & 0xFF) << 24) << i;

    const uint32_t* grid = loader.Image("GRID")->GetBits();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(grid[y * 13 + x] >> 24, cell.mBits[(y % 3) * 13 + x] & 0xFF) << x << "," << y;

    const std::string rgba = loader.folder.Path("rgba.png");
    EXPECT_FALSE(loader.manager.LoadGroup("size"));
    EXPECT_EQ(loader.manager.GetErrorMessage(),
              "AlphaImage size mismatch between " + rgba + " and " + loader.folder.Path("_odd.png"));
    EXPECT_FALSE(loader.manager.LoadGroup("cell"));
    EXPECT_EQ(loader.manager.GetErrorMessage(),
              "GridAlphaImage size mismatch between " + rgba + " and " + loader.folder.Path("cell.png"));
    EXPECT_FALSE(loader.manager.LoadGroup("gone"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Failed to load image: " + loader.folder.Path("none.png"));
}

TEST(ResourceManagerLoad, ImageEntryFlagsReachTheImage)
{
    Loader loader;
    loader.folder.CopyFixture("_lonely.png", "_lonely.png");
    loader.Read(R"(
<Resources id="g">
  <Image id="PAL" path="pic.png" variant="1"/>
  <Image id="NOPAL" path="pic.png" nopal="" variant="2"/>
  <Image id="SURF" path="picture.gif" ddsurface="" variant="3" nopal=""/>
  <Image id="SURFALPHA" path="rgba.png" ddsurface="" nopal=""/>
  <Image id="TEX" path="picture.gif" a4r4g4b4="" a8r8g8b8="" minsubdivide="" nopal="" rows="3" cols="13"
         anim="once" framedelay="4"/>
  <Image id="LONELY" path="lonely.png" alphacolor="123456" nopal=""/>
  <Image id="PURGE" path="pic.png" nobits="" nopal="" variant="5"/>
  <Image id="TAGGED" path="!drawn-later"/>
</Resources>)");
    ASSERT_TRUE(loader.manager.LoadGroup("g")) << loader.manager.GetErrorMessage();

    EXPECT_NE(loader.Image("PAL")->mPalette, nullptr);
    EXPECT_EQ(loader.Image("NOPAL")->mPalette, nullptr);

    Quib::MemoryImage* surface = loader.Image("SURF");
    EXPECT_EQ(loader.host.mWantsSurface.count(surface), 1u);
    EXPECT_TRUE(surface->mPurgeBits);
    // Partial alpha keeps the picture in memory.
    EXPECT_EQ(loader.host.mWantsSurface.count(loader.Image("SURFALPHA")), 0u);

    Quib::MemoryImage* tex = loader.Image("TEX");
    EXPECT_EQ(tex->mTextureFlags,
              Quib::TEXTURE_FLAG_A4R4G4B4 | Quib::TEXTURE_FLAG_A8R8G8B8 | Quib::TEXTURE_FLAG_MIN_SUBDIVIDE);
    EXPECT_EQ(tex->mRows, 3);
    EXPECT_EQ(tex->mColumns, 13);
    ASSERT_NE(tex->mAnimation, nullptr);
    EXPECT_EQ(tex->mAnimation->mType, Quib::ANIMATION_ONCE);
    EXPECT_EQ(tex->mAnimation->mFrameCount, 13);
    EXPECT_EQ(tex->mAnimation->mTotalTime, 52);
    EXPECT_EQ(loader.Image("NOPAL")->mAnimation, nullptr);

    // The alpha colour is in force while the picture is decoded, and only then.
    const uint32_t* lonely = loader.Image("LONELY")->GetBits();
    EXPECT_EQ(lonely[0], 0x123456u | (ExpectedPixels("_lonely.png")[0] & 0xFF) << 24);
    EXPECT_EQ(ImageLib::gAlphaComposeColor.load(), 0xFFFFFFu);

    EXPECT_TRUE(loader.Image("PURGE")->mPurgeBits);
    // A "!" name is a tag the program fills: it loads as an empty image, without the default path.
    EXPECT_EQ(loader.Image("TAGGED")->mWidth, 0);
    EXPECT_EQ(loader.host.mShared.count("!DRAWN-LATER|"), 1u);
}

TEST(ResourceManagerLoad, PaletteWaitsForTheSurfaceOnceThereIsOne)
{
    Loader loader;
    loader.Read(R"(<Resources id="g"><Image id="PAL" path="pic.png"/></Resources>)");
    bool isNew = false;
    Quib::SharedImageHandle early = loader.host.GetSharedImage(loader.folder.Path("pic.png"), "", &isNew);
    auto* image = dynamic_cast<Quib::MemoryImage*>(early.GetImage());
    loader.host.mSurfaces.insert(image);
    ASSERT_TRUE(loader.manager.LoadGroup("g"));
    EXPECT_EQ(loader.Image("PAL"), image);
    EXPECT_TRUE(image->mPalettize);
    EXPECT_EQ(image->mPalette, nullptr);
}

TEST(ResourceManagerLoad, SoundFailures)
{
    Loader loader;
    loader.Read(R"(
<Resources id="one"><Sound id="A" path="a.ogg"/></Resources>
<Resources id="two"><Sound id="B" path="b.ogg"/></Resources>
<Resources id="bad"><Sound id="C" path="broken.ogg"/></Resources>)");
    loader.host.mSounds.mIdCount = 1;
    loader.host.mSounds.mMissing.insert(loader.folder.Path("broken.ogg"));
    EXPECT_TRUE(loader.manager.LoadGroup("one"));
    EXPECT_FALSE(loader.manager.LoadGroup("two"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Out of free sound ids");
    loader.manager.UnloadGroup("one");
    EXPECT_FALSE(loader.manager.LoadGroup("bad"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Failed to load sound: " + loader.folder.Path("broken.ogg"));
    EXPECT_THROW(loader.manager.GetSoundOrThrow("C"), Quib::ResourceManagerException);
}

TEST(ResourceManagerLoad, FontsOfEveryKind)
{
    Loader loader;
    loader.Read(R"(
<Resources id="g">
  <Font id="SYS" path="!sys:Deja Sans" size="12" bold="" shadow=""/>
  <Font id="DESC" path="fonts/d.txt" tags="Big, bold	shadow
 outline"/>
  <Font id="COPY" path="!ref:DESC"/>
  <Font id="IMG" path="fonts/w.txt" image=")" +
                loader.folder.Path("pic.png") + R"("/>
</Resources>)");
    ASSERT_TRUE(loader.manager.LoadGroup("g")) << loader.manager.GetErrorMessage();

    auto* sys = dynamic_cast<FakeFont*>(loader.manager.GetFontOrThrow("SYS"));
    EXPECT_EQ(sys->mStyle.mFace, "Deja Sans");
    EXPECT_EQ(sys->mStyle.mPointSize, 12);
    EXPECT_TRUE(sys->mStyle.mBold && sys->mStyle.mShadow);
    EXPECT_FALSE(sys->mStyle.mItalic || sys->mStyle.mUnderline);

    auto* desc = dynamic_cast<FakeFont*>(loader.manager.GetFontOrThrow("DESC"));
    EXPECT_EQ(desc->mTags, (std::vector<std::string>{"Big", "bold", "shadow", "outline"}));
    auto* copy = dynamic_cast<FakeFont*>(loader.manager.GetFontOrThrow("COPY"));
    EXPECT_NE(copy, desc);
    EXPECT_EQ(copy->mSource, desc->mSource);

    auto* img = dynamic_cast<FakeFont*>(loader.manager.GetFontOrThrow("IMG"));
    ASSERT_NE(img->mImage, nullptr);
    EXPECT_EQ(img->mImage->mWidth, 13);
    EXPECT_EQ(img->mSource, "widths:" + loader.folder.Path("fonts/w.txt"));
    // A font's image path is taken as written, without the default path.
    EXPECT_EQ(loader.host.mImageLoads.back(), loader.folder.Path("pic.png"));
}

TEST(ResourceManagerLoad, FontFailures)
{
    Loader loader;
    loader.Read(R"(
<Resources id="noref"><Font id="R" path="!ref:NOPE"/></Resources>
<Resources id="broken"><Font id="X" path="fonts/x.txt"/></Resources>
<Resources id="noimage"><Font id="Y" path="fonts/y.txt" image="missing.png"/></Resources>)");
    loader.host.mFonts.mBroken.insert(loader.folder.Path("fonts/x.txt"));
    EXPECT_FALSE(loader.manager.LoadGroup("noref"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Ref font not found: NOPE");
    EXPECT_FALSE(loader.manager.LoadGroup("broken"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Failed to load font: " + loader.folder.Path("fonts/x.txt"));
    EXPECT_FALSE(loader.manager.LoadGroup("noimage"));
    EXPECT_EQ(loader.manager.GetErrorMessage(), "Failed to load image: missing.png");
}

} // namespace
