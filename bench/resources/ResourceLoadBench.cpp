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
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
#include <png.h>
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
        c.folder = std::filesystem::temp_directory_path() / "orvellan-resource-bench";
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

void RawPng(const std::string& path, std::vector<uint32_t>& pixels)
{
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
        pixels.resize(size_t(width) * height);
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(&pixels[size_t(y) * width]), nullptr);
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
}

void RawJpeg(const std::string& path, std::vector<uint32_t>& pixels)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(size_t(info.output_width) * info.output_components);
    pixels.resize(size_t(info.output_width) * info.output_height);
    JSAMPROW rowPointer = row.data();
    for (JDIMENSION y = 0; y < info.output_height; ++y)
    {
        jpeg_read_scanlines(&info, &rowPointer, 1);
        uint32_t* out = &pixels[size_t(y) * info.output_width];
        for (JDIMENSION x = 0; x < info.output_width; ++x)
            out[x] =
                0xFF000000u | uint32_t(row[x * 3]) << 16 | uint32_t(row[x * 3 + 1]) << 8 | row[x * 3 + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

void DecodeRaw(const Corpus& corpus)
{
    std::vector<uint32_t> pixels;
    for (size_t i = 0; i < corpus.pngs.size(); ++i)
    {
        RawPng(corpus.pngs[i], pixels);
        benchmark::DoNotOptimize(pixels.data());
        if (i < corpus.jpegs.size())
        {
            RawJpeg(corpus.jpegs[i], pixels);
            benchmark::DoNotOptimize(pixels.data());
        }
    }
}

// The image library's own loading of the same files, the "_" alpha twin search included.
void DecodeWithImageLib(const Corpus& corpus, bool lookForAlpha)
{
    for (const auto* list : {&corpus.pngs, &corpus.jpegs})
        for (const std::string& path : *list)
            benchmark::DoNotOptimize(ImageLib::LoadImageFile(path, lookForAlpha));
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

template <typename Work> double BestMilliseconds(Work work)
{
    double best = 1e300;
    for (int round = 0; round < 7; ++round)
    {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    const Corpus& corpus = GetCorpus();
    double manager = BestMilliseconds([&] { LoadThroughManager(corpus); });
    double raw = BestMilliseconds([&] { DecodeRaw(corpus); });
    double library = BestMilliseconds([&] { DecodeWithImageLib(corpus, true); });
    double noAlphaSearch = BestMilliseconds([&] { DecodeWithImageLib(corpus, false); });
    std::printf("%d pictures of %d x %d (PNG and JPEG), best of 7:\n", kPictures, kSize, kSize);
    std::printf("  resource manager group load: %.2f ms\n", manager);
    std::printf("  raw libpng + libjpeg decode: %.2f ms\n", raw);
    std::printf("  image library LoadImageFile: %.2f ms\n", library);
    std::printf("  the same without the alpha twin search: %.2f ms\n", noAlphaSearch);
    std::printf("  manager / raw: %.3f (overhead %.1f %%)\n", manager / raw, (manager / raw - 1.0) * 100.0);
    std::printf("  manager / image library: %.3f (overhead %.1f %%)\n", manager / library,
                (manager / library - 1.0) * 100.0);
    benchmark::Shutdown();
    std::filesystem::remove_all(corpus.folder);
    return 0;
}
