#include "framework/resources/XMLStartTags.h"

#include "framework/resources/XMLParser.h"
#include "tests/framework/files/PakTestFolder.h"

#include <gtest/gtest.h>

namespace
{

// "none" when the document has no start tag of that name before it ends or
// fails; else the start tags read after it, each as "name@section", then how
// the reading ended: "end" or "error".
std::string TagsAfter(const PakTestFolder& folder, const std::string& document, const std::string& name)
{
    folder.Write("doc.xml", document);
    Quib::XMLParser parser;
    EXPECT_TRUE(parser.OpenDocument("doc.xml"));
    if (!Quib::SkipPastStartTag(parser, name))
        return parser.HasFailed() ? "none, error" : "none";
    std::string text;
    Quib::XMLItem tag;
    while (Quib::ReadStartTag(parser, tag))
        text += tag.mValue + "@" + tag.mSectionPath + " ";
    return text + (parser.HasFailed() ? "error" : "end");
}

TEST(XMLStartTagsTest, HandsOverEveryStartTagAfterTheFirstOfItsNameAndNothingElse)
{
    const struct
    {
        const char* what;
        const char* document;
        const char* read;
    } cases[] = {
        {"no tag of the name", "<Root><Item/></Root>", "none"},
        {"names compare exactly", "<Root><scene><Item/></scene></Root>", "none"},
        {"an error before the name", "<Root></Other><Scene/></Root>", "none, error"},
        {"the tags before the name are passed over", "<Root><Item a='1'/><Scene><Item/></Scene></Root>",
         "Item@Root/Scene end"},
        {"text, comments, instructions and end tags are passed over",
         "<Scene>text<!-- note --><?pi x?><Item>more</Item></Scene>", "Item@Scene end"},
        {"any depth, and past the element's own end", "<Root><Scene><A><B/></A></Scene><C/><Scene/></Root>",
         "A@Root/Scene B@Root/Scene/A C@Root Scene@Root end"},
        {"the first error ends the reading", "<Scene><Item/><Item></Other><Item/></Scene>",
         "Item@Scene Item@Scene error"},
    };
    PakTestFolder folder;
    for (const auto& c : cases)
        EXPECT_EQ(TagsAfter(folder, c.document, "Scene"), c.read) << c.what;
}

TEST(XMLStartTagsTest, AttributeTextIsEmptyWhenTheTagLacksIt)
{
    Quib::XMLItem tag;
    tag.SetAttribute("name", "Lamp");
    tag.SetAttribute("image", "");
    EXPECT_EQ(Quib::AttributeText(tag, "name"), "Lamp");
    EXPECT_EQ(Quib::AttributeText(tag, "image"), "");
    EXPECT_EQ(Quib::AttributeText(tag, "Name"), "");
}

} // namespace
