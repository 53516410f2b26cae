#include "framework/resources/XMLParser.h"

#include "framework/files/PakInterface.h"
#include "framework/resources/XMLEntities.h"
#include "tests/framework/files/PakTestFolder.h"

#include <gtest/gtest.h>

namespace
{

using Items = std::vector<std::string>;

// One line per item: "<name k=v>", "</name>", "'text'", "?target|body|", each
// followed by " @path" when the section path is not empty.
std::string Render(const Quib::XMLItem& item)
{
    std::string out;
    switch (item.mKind)
    {
    case Quib::XML_ITEM_START:
        out = "<" + item.mValue;
        for (const auto& [name, value] : item.mAttributes)
            out += " " + name + "=" + value;
        out += ">";
        break;
    case Quib::XML_ITEM_END:
        out = "</" + item.mValue + ">";
        break;
    case Quib::XML_ITEM_TEXT:
        out = "'" + item.mValue + "'";
        break;
    case Quib::XML_ITEM_INSTRUCTION:
        out = "?" + item.mValue + "|" + item.mBody + "|";
        break;
    default:
        out = "kind " + std::to_string(item.mKind);
        break;
    }
    if (!item.mSectionPath.empty())
        out += " @" + item.mSectionPath;
    return out;
}

// Every item up to the first false read, then "end" or "error: <message> @<line>".
Items ReadAll(Quib::XMLParser& parser)
{
    Items items;
    Quib::XMLItem item;
    while (items.size() < 100 && parser.ReadItem(&item))
        items.push_back(Render(item));
    if (parser.HasFailed())
        items.push_back("error: " + parser.GetErrorMessage() + " @" + std::to_string(parser.GetLineNumber()));
    else
        items.push_back("end");
    return items;
}

Items ParseText(const PakTestFolder& folder, const std::string& document)
{
    folder.Write("doc.xml", document);
    Quib::XMLParser parser;
    EXPECT_TRUE(parser.OpenDocument("doc.xml"));
    return ReadAll(parser);
}

struct Case
{
    const char* what;
    std::string document;
    Items expected;
};

void CheckCases(const std::vector<Case>& cases)
{
    PakTestFolder folder;
    for (const Case& c : cases)
        EXPECT_EQ(ParseText(folder, c.document), c.expected) << c.what;
}

TEST(XMLParserTest, ReadsElementsTextAndInstructions)
{
    CheckCases({
        {"empty file", "", {"end"}},
        {"white space after the last tag", "<a></a>\n \t\n", {"<a>", "</a> @a", "end"}},
        {"nested", "<a><b></b></a>", {"<a>", "<b> @a", "</b> @a/b", "</a> @a", "end"}},
        {"empty element", "<r><b/></r>", {"<r>", "<b> @r", "</b> @r/b", "</r> @r", "end"}},
        {"empty element with a space", "<r><b /></r>", {"<r>", "<b> @r", "</b> @r/b", "</r> @r", "end"}},
        {"empty element with attributes",
         "<r><b x=\"1\" y=2 /></r>",
         {"<r>", "<b x=1 y=2> @r", "</b> @r/b", "</r> @r", "end"}},
        {"declaration", "<?xml version=\"1.0\"?><a/>", {"?xml| version=\"1.0\"|", "<a>", "</a> @a", "end"}},
        {"comment", "<a><!-- a note -- here --></a>", {"<a>", "</a> @a", "end"}},
        {"comment needs a space",
         "<a><!--n--></!--n--></a>",
         {"<a>", "<!--n--> @a", "</!--n--> @a/!--n--", "</a> @a", "end"}},
        {"text folded", "<a>  a  \n\t b  </a>", {"<a>", "'a b' @a", "</a> @a", "end"}},
        {"quoted passage in text",
         "<a>say \"p  <q> /\"  now</a>",
         {"<a>", "'say \"p  <q> /\" now' @a", "</a> @a", "end"}},
        {"control character inside quotes", "<a>\"\x01\"</a>", {"<a>", "'\"\x01\"' @a", "</a> @a", "end"}},
        {"entities in text", "<a>a &lt; b &zz; c</a>", {"<a>", "'a < b & c' @a", "</a> @a", "end"}},
        {"ampersand with a later semicolon",
         "<a>Tom & Jerry; x</a>",
         {"<a>", "'Tom & x' @a", "</a> @a", "end"}},
        {"line feed entity and nbsp", "<a>x&cr;y&nbsp;z</a>", {"<a>", "'x\ny z' @a", "</a> @a", "end"}},
    });
}

TEST(XMLParserTest, ReadsAttributesTheForgivingWay)
{
    CheckCases({
        {"quoted, unquoted, spaced and bare",
         "<a x = \"1\" y= 2 z =\"3\" w></a>",
         {"<a w= x=1 y=2 z=3>", "</a> @a", "end"}},
        {"quotes keep white space and markup",
         "<a t=\"x  <b> / y\"></a>",
         {"<a t=x  <b> / y>", "</a> @a", "end"}},
        {"one entry per name, the last wins", "<a x=1 x=2></a>", {"<a x=2>", "</a> @a", "end"}},
        {"entities in names and values",
         "<a v=\"&quot;x&amp;y&apos;\" w=&lt;b&gt;></a>",
         {"<a v=\"x&y' w=<b>>", "</a> @a", "end"}},
        {"a quoted value ending in '/' closes the tag", "<a x=\"v/\">", {"<a x=v>", "</a> @a", "end"}},
        {"that value is decoded once more", "<a x=\"&amp;lt;/\">", {"<a x=<>", "</a> @a", "end"}},
        {"a bare name before '/>' takes the '/'", "<a x/></a>", {"<a x/=>", "</a> @a", "end"}},
        {"values run together without white space",
         "<a x=\"1\"y=\"2\"></a>",
         {"<a x=1y2>", "</a> @a", "end"}},
    });
}

TEST(XMLParserTest, ReportsEveryErrorWithItsLine)
{
    CheckCases({
        {"end tag with nothing open", "</a>", {"error: Unexpected End @1"}},
        {"end tag that does not match", "<a>\n</b>", {"<a>", "error: End 'b' Doesn't Match Start 'a' @2"}},
        {"mismatch deeper down",
         "<a>\n\n<b>\n</c>",
         {"<a>", "<b> @a", "error: End 'c' Doesn't Match Start 'b' @4"}},
        {"text at the end of the file", "<a>\ntext", {"<a>", "error: Unexpected End of File @2"}},
        {"tag cut off", "<a x=\"1", {"error: Unexpected End of File @1"}},
        {"comment cut off", "<a><!-- never closed", {"<a>", "error: Unexpected End of File @1"}},
        {"control character", "<a>\n\x01</a>", {"<a>", "error: Illegal Character @2"}},
        {"'<' inside a tag", "<a <b>", {"error: Unexpected '<' @1"}},
        {"'<' inside an end tag", "<a></a <b>", {"<a>", "error: Unexpected '<' @1"}},
        {"'>' outside a tag", "<a>x > y</a>", {"<a>", "error: Unexpected '>' @1"}},
        {"'>' before anything", ">", {"error: Unexpected '>' @1"}},
    });
}

TEST(XMLParserTest, GoesOnAfterAnError)
{
    PakTestFolder folder;
    folder.Write("doc.xml", "<a>x > y</a>");
    Quib::XMLParser parser;
    ASSERT_TRUE(parser.OpenDocument("doc.xml"));
    Quib::XMLItem item;
    ASSERT_TRUE(parser.ReadItem(&item));
    EXPECT_FALSE(parser.ReadItem(&item));
    EXPECT_TRUE(parser.HasFailed());
    ASSERT_TRUE(parser.ReadItem(&item));
    EXPECT_EQ(Render(item), "'y' @a");
    ASSERT_TRUE(parser.ReadItem(&item));
    EXPECT_EQ(Render(item), "</a> @a");
    EXPECT_FALSE(parser.ReadItem(&item));
    EXPECT_EQ(parser.GetErrorMessage(), "Unexpected '>'");
}

TEST(XMLParserTest, OpeningFailsWithTheNameAndLineZero)
{
    PakTestFolder folder;
    Quib::XMLParser parser;
    Quib::XMLItem item;
    EXPECT_FALSE(parser.ReadItem(&item));
    EXPECT_FALSE(parser.HasFailed());

    EXPECT_FALSE(parser.OpenDocument("missing.xml"));
    EXPECT_TRUE(parser.HasFailed());
    EXPECT_EQ(parser.GetErrorMessage(), "Unable to open file missing.xml");
    EXPECT_EQ(parser.GetLineNumber(), 0);
    EXPECT_FALSE(parser.ReadItem(&item));
}

TEST(XMLParserTest, ReopeningStartsAfresh)
{
    PakTestFolder folder;
    folder.Write("one.xml", "<a>\n<b/>");
    folder.Write("Two.xml", "<c>\n</c>");
    Quib::XMLParser parser;
    ASSERT_TRUE(parser.OpenDocument("one.xml"));
    Quib::XMLItem item;
    ASSERT_TRUE(parser.ReadItem(&item));
    ASSERT_TRUE(parser.ReadItem(&item));
    EXPECT_EQ(Render(item), "<b> @a");
    EXPECT_EQ(parser.GetLineNumber(), 2);

    // The end tag pushed back for <b/> belongs to the first document only.
    ASSERT_TRUE(parser.OpenDocument("two.xml"));
    EXPECT_EQ(parser.GetDocumentName(), "two.xml");
    EXPECT_EQ(parser.GetLineNumber(), 1);
    EXPECT_EQ(ReadAll(parser), (Items{"<c>", "</c> @c", "end"}));
    EXPECT_EQ(parser.GetLineNumber(), 2);
}

const std::string kBom = "\xEF\xBB\xBF";

TEST(XMLParserTest, ReadsUtf8AfterAByteOrderMark)
{
    CheckCases({
        {"Latin-1 letters arrive as single bytes; wider ones empty an attribute",
         kBom + "<a v=\"\xC3\xA9\" w=\"\xE2\x82\xAC\" x=\"\xF0\x9F\x98\x80\">\xC3\xA9t\xC3\xA9</a>",
         {"<a v=\xE9 w= x=>", "'\xE9t\xE9' @a", "</a> @a", "end"}},
        {"without a mark, bytes are characters",
         "<a>\xC3\xA9</a>",
         {"<a>", "'\xC3\xA9' @a", "</a> @a", "end"}},
        {"mark only", kBom, {"end"}},
        {"bad sequence between items",
         kBom + "<a></a>\xC3(",
         {"<a>", "</a> @a", "error: Illegal Character @1"}},
        {"bad sequence inside text", kBom + "<a>x\xC3(</a>", {"<a>", "error: Unexpected End of File @1"}},
        {"sequence cut by the end",
         kBom + "<a></a>\xE2\x82",
         {"<a>", "</a> @a", "error: Illegal Character @1"}},
    });
    const char* invalid[] = {"\x80",
                             "\xC0\x80",
                             "\xC1\xBF",
                             "\xE0\x80\x80",
                             "\xF0\x80\x80\x80",
                             "\xF8\x80\x80\x80\x80",
                             "\xFC\x80\x80\x80\x80\x80",
                             "\xFE",
                             "\xED\xA0\x80",
                             "\xED\xBF\xBF",
                             "\xEF\xBF\xBE",
                             "\xEF\xBF\xBF"};
    PakTestFolder folder;
    for (const char* bytes : invalid)
        EXPECT_EQ(ParseText(folder, kBom + "<a/>" + bytes),
                  (Items{"<a>", "</a> @a", "error: Illegal Character @1"}))
            << testing::PrintToString(std::string(bytes));
    // Characters come through as their low 16 bits; an attribute keeps them only below 0x100.
    const std::pair<std::string, std::string> valid[] = {{"\xC2\x80", "\x80"},
                                                         {"\xC3\xBF", "\xFF"},
                                                         {"\xC4\x80", ""},
                                                         {"\xE0\xA0\x80", ""},
                                                         {"\xEF\xBB\xBF", ""},
                                                         {"\xF0\x90\x80\x80", std::string(1, '\0')},
                                                         {"\xF8\x88\x80\x80\x80", std::string(1, '\0')}};
    for (const auto& [bytes, value] : valid)
        EXPECT_EQ(ParseText(folder, kBom + "<a x=\"" + bytes + "\"></a>"),
                  (Items{"<a x=" + value + ">", "</a> @a", "end"}))
            << testing::PrintToString(bytes);
}

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : u"\xFEFF" + text)
    {
        char low = static_cast<char>(unit & 0xFF);
        char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(XMLParserTest, ReadsUtf16InEitherByteOrder)
{
    const Items expected =
        ParseText(PakTestFolder(), "<?xml v=\"1\"?>\n<a n=\"\xE9\">\n  t\xE9xt &amp; more\n  <b/>\n</a>\n");
    ASSERT_EQ(expected.back(), "end");
    const std::u16string text = u"<?xml v=\"1\"?>\n<a n=\"\u00E9\">\n  t\u00E9xt &amp; more\n  <b/>\n</a>\n";
    PakTestFolder folder;
    EXPECT_EQ(ParseText(folder, Utf16(text, false)), expected);
    EXPECT_EQ(ParseText(folder, Utf16(text, true)), expected);

    // A surrogate pair is one character, too wide for an attribute; a lone
    // trailing surrogate ends the input.
    EXPECT_EQ(ParseText(folder, Utf16(u"<a x=\"\U0001F600\"></a>", false)),
              (Items{"<a x=>", "</a> @a", "end"}));
    EXPECT_EQ(ParseText(folder, Utf16(u"<a>\xDC00</a>", true)), (Items{"<a>", "end"}));
    EXPECT_EQ(ParseText(folder, Utf16(u"<a>x\xDC00</a>", false)),
              (Items{"<a>", "error: Unexpected End of File @1"}));
}

TEST(XMLParserTest, ReadsDocumentsFromTheArchive)
{
    PakTestFolder folder;
    const std::string document = "<list>\r\n  <item id=\"1\">One</item>\r\n  <item id=\"2\"/>\r\n</list>\r\n";
    const Items expected = {"<list>",
                            "<item id=1> @list",
                            "'One' @list/item",
                            "</item> @list/item",
                            "<item id=2> @list",
                            "</item> @list/item",
                            "</list> @list",
                            "end"};
    PakArchiveWriter writer;
    ASSERT_TRUE(writer.AddFile("properties\\list.xml", Bytes(document)));
    ASSERT_TRUE(writer.WriteTo("xml.pak"));
    ASSERT_TRUE(gPakInterface->MountArchive("xml.pak")) << gPakInterface->GetErrorMessage();

    Quib::XMLParser parser;
    ASSERT_TRUE(parser.OpenDocument("Properties/List.xml"));
    EXPECT_EQ(ReadAll(parser), expected);
    EXPECT_EQ(parser.GetLineNumber(), 5);
    EXPECT_EQ(ParseText(folder, document), expected);
}

TEST(XMLParserTest, DecodesEntities)
{
    const std::pair<std::string, std::string> cases[] = {
        {"&lt;&gt;&amp;&quot;&apos;&nbsp;&cr;", "<>&\"' \n"},
        {"a & b", "a & b"},
        {"a &amp b", "a &amp b"},
        {"&LT; &; &unknown;x", "& & &x"},
        {"&amp;lt;", "&lt;"},
        {"tail &", "tail &"},
    };
    for (const auto& [text, decoded] : cases)
    {
        EXPECT_EQ(Quib::DecodeXmlEntities(text), decoded) << text;
        std::u16string wide(text.begin(), text.end());
        EXPECT_EQ(Quib::DecodeXmlEntitiesWide(wide), std::u16string(decoded.begin(), decoded.end())) << text;
    }
    EXPECT_EQ(Quib::DecodeXmlEntitiesWide(u"\u20AC&lt;\u20AC"), u"\u20AC<\u20AC");
}

} // namespace
