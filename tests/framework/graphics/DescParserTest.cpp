#include "framework/graphics/DescParser.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using Quib::DataElement;
using Quib::DescParser;
using Quib::ListDataElement;
using Quib::SingleDataElement;

namespace
{

// Records every command as text with its line; "Define name value" stores a
// define the way font descriptors do, so resolution can be exercised.
class RecordingParser : public DescParser
{
public:
    bool HandleCommand(ListDataElement* params) override
    {
        commands.push_back(ElementToText(params));
        lines.push_back(mCurrentLineNum);
        auto& items = params->mElementVector;
        if (static_cast<SingleDataElement*>(items[0])->mString != "Define" || items.size() != 3)
            return true;
        const std::string& name = static_cast<SingleDataElement*>(items[1])->mString;
        if (items[2]->mIsList)
        {
            auto* resolved = new ListDataElement();
            if (!ResolveList(static_cast<ListDataElement*>(items[2]), resolved))
            {
                delete resolved;
                return false;
            }
            SetDefine(name, resolved);
        }
        else
        {
            SetDefine(name, items[2]->Clone());
        }
        return true;
    }

    void Define(const std::string& name, DataElement* value) { SetDefine(name, value); }

    std::vector<std::string> commands;
    std::vector<int> lines;
};

ListDataElement Tokens(RecordingParser& parser, const std::string& text)
{
    ListDataElement list;
    size_t pos = 0;
    EXPECT_TRUE(parser.Tokenize(text, &list, false, pos)) << text << ": " << parser.mError;
    return list;
}

ListDataElement* MakeList(std::initializer_list<DataElement*> children)
{
    auto* list = new ListDataElement();
    list->mElementVector.assign(children.begin(), children.end());
    return list;
}

} // namespace

TEST(DescParserTest, CutsFilesIntoCommands)
{
    struct Case
    {
        const char* text;
        std::vector<std::string> commands;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"", {}, {}},
        {"# only a comment\n\n  \t\n;;;\r\n# another\n", {}, {}},
        {"a b,c", {"(a, b, c)"}, {1}},
        {"x (a (b c) d)", {"(x, (a, (b, c), d))"}, {1}},
        {"x ()", {"(x, ())"}, {1}},
        {"x (1)", {"(x, (1))"}, {1}},
        {"\n\ncmd 1\n  2\n# dropped\n    3;\nnext", {"(cmd, 1, 2, 3)", "(next)"}, {3, 7}},
        {"a #b c", {"(a, #b, c)"}, {1}},
        {"a 'x;y'; b", {"(a, 'x;y')", "(b)"}, {1, 1}},
        {"a \"(;)\" (b)", {"(a, \"(;)\", (b))"}, {1}},
        {"a b\\ c", {"(a, b c)"}, {1}},
        {"a b\\", {"(a, b)"}, {1}},
        {"a\r\nb;\r\n\r\nc", {"(a, b)", "(c)"}, {1, 4}},
        {"a 'multi\nline'", {"(a, 'multi\nline')"}, {1}},
    };
    for (const Case& c : cases)
    {
        RecordingParser parser;
        EXPECT_TRUE(parser.ParseText(c.text)) << c.text << ": " << parser.mError;
        EXPECT_EQ(parser.commands, c.commands) << c.text;
        EXPECT_EQ(parser.lines, c.lines) << c.text;
        EXPECT_EQ(parser.mCurrentLineNum, 0);
        EXPECT_TRUE(parser.mCurrentLine.empty());
    }
}

TEST(DescParserTest, LanguageErrorsStopTheFile)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"first; x(1); last", "Unexpected List Start"},
        {"first; x 1); last", "Unexpected List End"},
        {"first; x 'a\n", "Unterminated Single Quotes"},
        {"first; x \"a", "Unterminated Double Quotes"},
        {"first; x (a (b)", "Unterminated List"},
        {"first; (a) b; last", "Missing Command"},
        {"first; x \"'\" '", "Unterminated Single Quotes"},
        {"first; Define A (1, B)", "Unable to Dereference \"B\""},
    };
    for (const Case& c : cases)
    {
        RecordingParser parser;
        EXPECT_FALSE(parser.ParseText(c.text)) << c.text;
        EXPECT_EQ(parser.mError, c.error) << c.text;
        ASSERT_FALSE(parser.commands.empty());
        EXPECT_EQ(parser.commands.front(), "(first)") << c.text;
        EXPECT_NE(parser.commands.back(), "(last)") << c.text;
    }
}

TEST(DescParserTest, MissingFileFailsWithoutMessage)
{
    RecordingParser parser;
    EXPECT_FALSE(parser.ParseFile(std::string(ORVELLAN_FIXTURES_DIR) + "/fonts/no-such-descriptor.txt"));
    EXPECT_TRUE(parser.mError.empty());
}

// A descriptor over the size limit is refused with an error that says why; one
// at the limit is read.
TEST(DescParserTest, FileOverTheLimitFailsWithAMessage)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("orvellan-desc-large-" + std::to_string(::getpid()) + ".txt");
    const auto write = [&](size_t bytes)
    {
        std::ofstream out(path, std::ios::binary);
        std::string text = "Define A 1\n";
        text.resize(bytes, ' ');
        out << text;
    };
    RecordingParser parser;
    write(DescParser::MAX_FILE_BYTES);
    EXPECT_TRUE(parser.ParseFile(path.string())) << parser.mError;
    write(DescParser::MAX_FILE_BYTES + 1);
    EXPECT_FALSE(parser.ParseFile(path.string()));
    EXPECT_EQ(parser.mError, "File Too Large (over 4 MiB)");
    std::filesystem::remove(path);
}

TEST(DescParserTest, HostileNestingAndGrowthFailCleanly)
{
    RecordingParser deep;
    EXPECT_FALSE(deep.ParseText("x " + std::string(100000, '(')));
    EXPECT_EQ(deep.mError, "List Nesting Too Deep");

    // Each define doubles the one before: without a bound this would need 2^40 values.
    std::string doubling = "Define A (1 1);";
    for (int i = 0; i < 40; ++i)
        doubling += "Define A (A A);";
    RecordingParser growing;
    EXPECT_FALSE(growing.ParseText(doubling));
    EXPECT_EQ(growing.mError, "List Too Large");

    std::string chain = "Define A (1);";
    for (int i = 0; i < 80; ++i)
        chain += "Define A (A);";
    RecordingParser chained;
    EXPECT_FALSE(chained.ParseText(chain));
    EXPECT_EQ(chained.mError, "List Nesting Too Deep");
}

TEST(DescParserTest, UnquoteTable)
{
    struct Case
    {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"'it''s'", "it's"},
        {"'a'''b'", "a''b"},
        {"''", "'"},
        {"\"a\"\"b\"", "a\"b"},
        {"'say \"hi\"'", "say \"hi\""},
        {"x'y'", "x'y'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DescParser::Unquote(c.in), c.out) << c.in;
}

TEST(DescParserTest, LiteralsAreNumbersAndQuotedTexts)
{
    for (const char* text : {"0", "9x", "-", "+5", "'a'", "\"a\""})
        EXPECT_TRUE(DescParser::IsLiteral(text)) << text;
    for (const char* text : {"", "a", "_1", "(", ".5"})
        EXPECT_FALSE(DescParser::IsLiteral(text)) << text;
}

TEST(DescParserTest, ResolvingReplacesDefinesAndUnquotes)
{
    RecordingParser parser;
    ASSERT_TRUE(parser.ParseText("Define A 1; Define B (A, 2); Define A 5; Define Q 'it\\'s';"));
    EXPECT_EQ(DescParser::ElementToText(parser.FindDefine("b")), "(1, 2)");
    EXPECT_EQ(DescParser::ElementToText(parser.FindDefine("a")), "5");

    ListDataElement tokens = Tokens(parser, "(b, a, 'x''y', -3, (a))");
    ListDataElement resolved;
    ASSERT_TRUE(parser.ResolveList(static_cast<ListDataElement*>(tokens.mElementVector[0]), &resolved));
    EXPECT_EQ(DescParser::ElementToText(&resolved), "((1, 2), 5, x'y, -3, (5))");

    std::string text;
    ASSERT_TRUE(parser.ElementToString(Tokens(parser, "Q").mElementVector[0], text));
    EXPECT_EQ(text, "its");
}

TEST(DescParserTest, ConversionsToStringsAndNumbers)
{
    RecordingParser parser;
    ASSERT_TRUE(parser.ParseText("Define L (1, 2, 3); Define N 7; Define Nested (1, (2));"));

    std::vector<std::string> strings;
    EXPECT_TRUE(parser.ElementToStringList(Tokens(parser, "L").mElementVector[0], strings));
    EXPECT_EQ(strings, (std::vector<std::string>{"1", "2", "3"}));
    parser.mError.clear();
    EXPECT_FALSE(parser.ElementToStringList(Tokens(parser, "N").mElementVector[0], strings));
    EXPECT_TRUE(parser.mError.empty());
    EXPECT_FALSE(parser.ElementToStringList(Tokens(parser, "Missing").mElementVector[0], strings));
    EXPECT_EQ(parser.mError, "Unable to Dereference \"Missing\"");
    strings = {"stale"};
    EXPECT_FALSE(parser.ElementToStringList(Tokens(parser, "Nested").mElementVector[0], strings));
    EXPECT_TRUE(strings.empty());

    std::vector<int32_t> ints;
    EXPECT_TRUE(parser.ElementToInts(Tokens(parser, "(N, 0x10, -4)").mElementVector[0], ints));
    EXPECT_EQ(ints, (std::vector<int32_t>{7, 16, -4}));
    ints.clear();
    EXPECT_FALSE(parser.ElementToInts(Tokens(parser, "(1, +5, 3)").mElementVector[0], ints));
    EXPECT_EQ(ints, (std::vector<int32_t>{1}));

    std::vector<double> doubles;
    EXPECT_TRUE(parser.ElementToDoubles(Tokens(parser, "(1, 0.5, -2.25)").mElementVector[0], doubles));
    EXPECT_EQ(doubles, (std::vector<double>{1.0, 0.5, -2.25}));

    std::string text;
    EXPECT_FALSE(parser.ElementToString(Tokens(parser, "(a)").mElementVector[0], text));
    EXPECT_FALSE(parser.ElementToString(Tokens(parser, "L").mElementVector[0], text));
    EXPECT_TRUE(parser.ElementToString(Tokens(parser, "N").mElementVector[0], text));
    EXPECT_EQ(text, "7");

    ListDataElement list;
    EXPECT_TRUE(parser.ElementToList(Tokens(parser, "L").mElementVector[0], &list));
    EXPECT_EQ(DescParser::ElementToText(&list), "(1, 2, 3)");
    EXPECT_FALSE(parser.ElementToList(Tokens(parser, "N").mElementVector[0], &list));
}

TEST(DescParserTest, ListsCopyDeeply)
{
    std::unique_ptr<ListDataElement> original(MakeList(
        {new SingleDataElement("1"), MakeList({new SingleDataElement("2"), new SingleDataElement("3")})}));
    EXPECT_EQ(DescParser::ElementToText(original.get()), "(1, (2, 3))");

    std::unique_ptr<DataElement> clone(original->Clone());
    ListDataElement assigned;
    assigned.mElementVector.push_back(new SingleDataElement("old"));
    assigned = *original;
    assigned = assigned;
    static_cast<SingleDataElement*>(original->mElementVector[0])->mString = "changed";
    original.reset();
    EXPECT_EQ(DescParser::ElementToText(clone.get()), "(1, (2, 3))");
    EXPECT_EQ(DescParser::ElementToText(&assigned), "(1, (2, 3))");
    EXPECT_TRUE(clone->mIsList);
}

#include "framework/files/PakArchiveWriter.h"
#include "framework/files/PakInterface.h"

#include <filesystem>
#include <fstream>

namespace
{

TEST(DescParserTest, DescriptorsComeFromTheArchiveBeforeTheDisk)
{
    const auto previous = std::filesystem::current_path();
    const auto root = std::filesystem::temp_directory_path() / "orvellan-descparser-archive";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "fonts");
    std::filesystem::current_path(root);
    {
        const std::string archived = "Define Source Archive\n";
        PakArchiveWriter writer;
        ASSERT_TRUE(
            writer.AddFile("fonts\\label.txt", std::vector<uint8_t>(archived.begin(), archived.end())));
        ASSERT_TRUE(writer.WriteTo("fonts.pak"));
        std::ofstream("fonts/label.txt") << "Define Source Disk\n";
        ASSERT_TRUE(gPakInterface->MountArchive("fonts.pak")) << gPakInterface->GetErrorMessage();

        RecordingParser parser;
        ASSERT_TRUE(parser.ParseFile("FONTS\\Label.txt")) << parser.mError;
        ASSERT_EQ(parser.commands.size(), 1u);
        EXPECT_NE(parser.commands[0].find("Archive"), std::string::npos) << parser.commands[0];
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(root);
}

} // namespace
