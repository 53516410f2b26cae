// The main of a folder's test program. The program holds the tests of every
// test file of the folder; ctest runs it once per file, with
// --test-file=PATH (the file's path below the repository root) and optionally
// --test-shard=INDEX/COUNT, so that each file keeps its own entry and its own
// process, and a long file can be spread over several processes. Without
// --test-file every test of the program runs; a --gtest_filter given on the
// command line (as GoogleTest gives one to a death test's child) wins over both.
#include <charconv>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{

struct Selection
{
    std::optional<std::string> file;
    int shard = 0;
    int shards = 1;
};

bool ParseShard(std::string_view text, Selection& selection)
{
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return false;
    const auto index = std::from_chars(text.data(), text.data() + slash, selection.shard);
    const auto count = std::from_chars(text.data() + slash + 1, text.data() + text.size(), selection.shards);
    return index.ec == std::errc() && index.ptr == text.data() + slash && count.ec == std::errc() &&
           count.ptr == text.data() + text.size() && selection.shards > 0 && selection.shard >= 0 &&
           selection.shard < selection.shards;
}

// Takes this program's own options out of argv; false on a malformed one.
bool TakeSelection(int& argc, char** argv, Selection& selection)
{
    constexpr std::string_view kFile = "--test-file=";
    constexpr std::string_view kShard = "--test-shard=";
    int kept = 1;
    for (int i = 1; i < argc; ++i)
    {
        const std::string_view arg = argv[i];
        if (arg.starts_with(kFile))
            selection.file = std::string(arg.substr(kFile.size()));
        else if (arg.starts_with(kShard))
        {
            if (!ParseShard(arg.substr(kShard.size()), selection))
                return false;
        }
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

// The compiler may have been given the file by an absolute path or by one
// relative to the build folder (the compiler cache rewrites them), so the
// repository-relative path is matched as the tail of the recorded one.
bool IsFromFile(const char* recorded, const std::string& file)
{
    const std::string_view path = recorded;
    return path == file ||
           (path.size() > file.size() && path.ends_with(file) && path[path.size() - file.size() - 1] == '/');
}

// The full names of the tests the selection takes, in the program's order.
std::vector<std::string> SelectedTests(const Selection& selection)
{
    std::vector<std::string> names;
    int position = 0;
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    for (int s = 0; s < unit.total_test_suite_count(); ++s)
    {
        const testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t)
        {
            const testing::TestInfo& test = *suite.GetTestInfo(t);
            if (selection.file && !IsFromFile(test.file(), *selection.file))
                continue;
            if (position++ % selection.shards == selection.shard)
                names.push_back(std::string(suite.name()) + "." + test.name());
        }
    }
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    Selection selection;
    if (!TakeSelection(argc, argv, selection))
    {
        std::fprintf(stderr, "usage: %s [--test-file=PATH] [--test-shard=INDEX/COUNT] [GoogleTest options]\n",
                     argv[0]);
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(filter) == "*" && (selection.file || selection.shards > 1))
    {
        const std::vector<std::string> names = SelectedTests(selection);
        if (names.empty())
        {
            std::fprintf(stderr, "no tests of %s in this program\n",
                         selection.file ? selection.file->c_str() : "any file");
            return 1;
        }
        std::string filter;
        for (const std::string& name : names)
            filter += (filter.empty() ? "" : ":") + name;
        GTEST_FLAG_SET(filter, filter);
    }
    return RUN_ALL_TESTS();
}
