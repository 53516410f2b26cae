// Replays every file of a fuzz corpus folder through the target once, so the
// corpus doubles as a regression test in the normal and the sanitizer builds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    size_t count = 0;
    for (int i = 1; i < argc; ++i)
    {
        fs::path root(argv[i]);
        if (!fs::exists(root))
        {
            std::fprintf(stderr, "no corpus at %s\n", argv[i]);
            return 1;
        }
        std::vector<fs::path> files;
        if (fs::is_directory(root))
        {
            for (const auto& entry : fs::recursive_directory_iterator(root))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        }
        else
        {
            files.push_back(root);
        }
        for (const auto& file : files)
        {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++count;
        }
    }
    std::printf("replayed %zu inputs\n", count);
    return count > 0 ? 0 : 1;
}
