// Loads one manifest group of generated PNG and JPEG pictures through the resource
// manager, and decodes the same files straight with libpng and libjpeg, in the same
// run; prints both times and the manager's overhead over the raw decode.
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/ResourceFontFactory.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/ResourceManagerHost.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <jpeglib.h>
#include <memory>
#include <png.h>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int kPictures = 300;
constexpr int kSize = 128;

struct Corpus
{
    std::filesystem::path folder;
    std::string manifest;
    std::vector<std::string> pngs;
    std::vector<std::string> jpegs;
};

const Corpus& GetCorpus()
{
    static const Corpus corpus = []
    {
        Corpus c;
        // A folder of its own, so runs side by side don't delete each other's files.
        c.folder = std::filesystem::temp_directory_path() /
                   ("orvellan-resource-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(c.folder);
        std::filesystem::create_directories(c.folder);
        std::string body = "<ResourceManifest>\n<Resources id=\"Bench\">\n<SetDefaults path=\"" +
                           c.folder.string() + "\"/>\n";
        for (int i = 0; i < kPictures; ++i)
        {
            ImageLib::Image image(kSize, kSize);
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x)
                    image.mBits[y * kSize + x] = 0xFF000000u | uint32_t((x * 7 + i) & 0xFF) << 16 |
                                                 uint32_t((y * 5 + x * x / 64) & 0xFF) << 8 |
                                                 uint32_t(((x ^ y) * 3 + i) & 0xFF);
            bool png = i % 2 == 0;
            std::string name = "pic" + std::to_string(i) + (png ? ".png" : ".jpg");
            std::string path = (c.folder / name).string();
            if (png ? !ImageLib::SavePngFile(path, image) : !ImageLib::SaveJpegFile(path, image))
                std::fprintf(stderr, "could not write %s\n", path.c_str());
            (png ? c.pngs : c.jpegs).push_back(path);
            // Palette conversion is work an entry asks for, not the manager's own.
            body += "<Image id=\"P" + std::to_string(i) + "\" path=\"" + name + "\" nopal=\"\"/>\n";
        }
        body += "</Resources>\n</ResourceManifest>\n";
        c.manifest = (c.folder / "resources.xml").string();
        std::ofstream(c.manifest) << body;
        return c;
    }();
    return corpus;
}

class NoFonts : public Quib::ResourceFontFactory
{
public:
    std::unique_ptr<Quib::Font> CreateSysFont(const Quib::SysFontStyle&) override { return nullptr; }
    std::unique_ptr<Quib::Font> CreateImageFont(const std::string&) override { return nullptr; }
    std::unique_ptr<Quib::Font> CreateImageFont(Quib::Image*, const std::string&) override { return nullptr; }
    void ApplyTags(Quib::Font&, const std::vector<std::string>&) override {}
};

// Does what the application's image services do: decode the file and hand its pixels
// to a memory image kept in a map shared by name.
class BenchHost : public Quib::ResourceManagerHost
{
public:
    ~BenchHost() override
    {
        for (Quib::SharedImageEntry* entry : mEntries)
        {
            delete entry->mImage;
            delete entry;
        }
    }

    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string&,
                                           bool* isNew) override
    {
        *isNew = true;
        auto* entry = new Quib::SharedImageEntry;
        mEntries.push_back(entry);
        if (std::unique_ptr<ImageLib::Image> pixels = ImageLib::LoadImageFile(fileName))
        {
            auto* image = new Quib::MemoryImage(nullptr);
            image->TakeBits(pixels->mBits.Release(), pixels->mWidth, pixels->mHeight, true);
            entry->mImage = image;
        }
        Quib::SharedImageHandle handle;
        handle = entry;
        return handle;
    }
    std::unique_ptr<Quib::MemoryImage> LoadImage(const std::string&) override { return nullptr; }
    bool Is3DEnabled() override { return false; }
    bool HasSurface(Quib::MemoryImage*) override { return false; }
    void SetWantsSurface(Quib::MemoryImage*) override {}
    Quib::SoundManager* GetSoundManager() override { return nullptr; }
    Quib::ResourceFontFactory* GetFontFactory() override { return &mFonts; }

private:
    NoFonts mFonts;
    std::vector<Quib::SharedImageEntry*> mEntries;
};

bool LoadThroughManager(const Corpus& corpus)
{
    BenchHost host;
    Quib::ResourceManager manager(&host);
    if (!manager.ReadManifest(corpus.manifest) || !manager.LoadGroup("Bench"))
    {
        std::fprintf(stderr, "%s\n", manager.GetErrorMessage().c_str());
        return false;
    }
    return true;
}

std::unique_ptr<uint32_t[]> RawPng(const std::string& path)
{
    std::unique_ptr<uint32_t[]> pixels;
    FILE* file = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0)
    {
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
        png_read_update_info(png, info);
        png_uint_32 width = png_get_image_width(png, info);
        png_uint_32 height = png_get_image_height(png, info);
        pixels = std::make_unique_for_overwrite<uint32_t[]>(size_t(width) * height);
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(&pixels[size_t(y) * width]), nullptr);
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return pixels;
}

// The quickest plain decode: whole pixels straight from the decoder, as the reader does.
std::unique_ptr<uint32_t[]> RawJpeg(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    auto pixels = std::make_unique_for_overwrite<uint32_t[]>(size_t(info.output_width) * info.output_height);
    for (JDIMENSION y = 0; y < info.output_height; ++y)
    {
        auto rowPointer = reinterpret_cast<JSAMPROW>(&pixels[size_t(y) * info.output_width]);
        jpeg_read_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return pixels;
}

// Keeps every picture until the whole group is done, as the manager does: a group held
// in memory costs the same fresh pages either way.
void DecodeRaw(const Corpus& corpus)
{
    std::vector<std::unique_ptr<uint32_t[]>> pictures;
    pictures.reserve(corpus.pngs.size() + corpus.jpegs.size());
    for (size_t i = 0; i < corpus.pngs.size(); ++i)
    {
        pictures.push_back(RawPng(corpus.pngs[i]));
        if (i < corpus.jpegs.size())
            pictures.push_back(RawJpeg(corpus.jpegs[i]));
    }
    benchmark::DoNotOptimize(pictures.data());
}

// The image library's own loading of the same files, the "_" alpha twin search
// included; it too keeps every picture until the group is done.
void DecodeWithImageLib(const Corpus& corpus, bool lookForAlpha)
{
    std::vector<std::unique_ptr<ImageLib::Image>> pictures;
    pictures.reserve(corpus.pngs.size() + corpus.jpegs.size());
    for (const auto* list : {&corpus.pngs, &corpus.jpegs})
        for (const std::string& path : *list)
            pictures.push_back(ImageLib::LoadImageFile(path, lookForAlpha));
    benchmark::DoNotOptimize(pictures.data());
}

void BM_ManagerLoadGroup(benchmark::State& state)
{
    const Corpus& corpus = GetCorpus();
    for (auto _ : state)
        if (!LoadThroughManager(corpus))
            state.SkipWithError("manifest group did not load");
}
BENCHMARK(BM_ManagerLoadGroup)->Unit(benchmark::kMillisecond);

void BM_RawDecode(benchmark::State& state)
{
    const Corpus& corpus = GetCorpus();
    for (auto _ : state)
        DecodeRaw(corpus);
}
BENCHMARK(BM_RawDecode)->Unit(benchmark::kMillisecond);

// Processor time, not wall time: on a busy machine the wait for a processor would
// swamp the few milliseconds compared here.
double Milliseconds(const std::function<void()>& work)
{
    const std::clock_t start = std::clock();
    work();
    return double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

// Times of one way of loading over all rounds.
struct Timings
{
    std::vector<double> rounds;

    double Best() const { return *std::min_element(rounds.begin(), rounds.end()); }
    double Median() const
    {
        std::vector<double> sorted = rounds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// Besides the ratio of the medians, the median of the rounds' own ratios: the ways of
// one round run back to back and share its spell of load, so their ratio drifts less
// than either time does on a busy machine.
void PrintRatio(const char* what, const Timings& a, const Timings& b)
{
    Timings perRound;
    for (size_t i = 0; i < a.rounds.size(); ++i)
        perRound.rounds.push_back(a.rounds[i] / b.rounds[i]);
    std::printf("  %s: median %.3f (overhead %.1f %%), best %.3f (overhead %.1f %%), "
                "median of the rounds' ratios %.3f (overhead %.1f %%)\n",
                what, a.Median() / b.Median(), (a.Median() / b.Median() - 1.0) * 100.0, a.Best() / b.Best(),
                (a.Best() / b.Best() - 1.0) * 100.0, perRound.Median(), (perRound.Median() - 1.0) * 100.0);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    // The ways take turns within each round, so a change in the machine's load between
    // rounds weighs on all of them alike; every one reads the same files from a warm cache.
    const Corpus& corpus = GetCorpus();
    constexpr int kRounds = 21;
    Timings manager, raw, library, noAlphaSearch;
    const std::vector<std::pair<Timings*, std::function<void()>>> ways = {
        {&manager, [&] { LoadThroughManager(corpus); }},
        {&raw, [&] { DecodeRaw(corpus); }},
        {&library, [&] { DecodeWithImageLib(corpus, true); }},
        {&noAlphaSearch, [&] { DecodeWithImageLib(corpus, false); }},
    };
    // Each round starts with the next way, so none always runs first after another's frees.
    for (int round = 0; round < kRounds; ++round)
        for (size_t turn = 0; turn < ways.size(); ++turn)
        {
            const auto& [timings, work] = ways[(size_t(round) + turn) % ways.size()];
            timings->rounds.push_back(Milliseconds(work));
        }
    std::printf("%d pictures of %d x %d (PNG and JPEG), %d rounds, processor time median and best:\n",
                kPictures, kSize, kSize, kRounds);
    const auto print = [](const char* what, const Timings& timings)
    { std::printf("  %s: %.2f ms, %.2f ms\n", what, timings.Median(), timings.Best()); };
    print("resource manager group load", manager);
    print("raw libpng + libjpeg decode", raw);
    print("image library LoadImageFile", library);
    print("the same without the alpha twin search", noAlphaSearch);
    PrintRatio("manager / raw", manager, raw);
    PrintRatio("manager / image library", manager, library);
    benchmark::Shutdown();
    std::filesystem::remove_all(corpus.folder);
    return 0;
}
