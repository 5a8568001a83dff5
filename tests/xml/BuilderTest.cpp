// The elements the builder makes from a text, with the quirks the file
// formats rely on and the handling of malformed text.
#include "XMLTestSupport.h"

#include <utility>

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

Attributes attributesOf(const TXMLNode& node) {
    Attributes result;
    for (const auto& attribute : node.Attributes) {
        result.emplace_back(attribute->Name, attribute->Value);
    }
    return result;
}

std::vector<std::string> childNames(const TXMLNode& node) {
    std::vector<std::string> names;
    for (const auto& child : node.Children) {
        names.push_back(child->Name);
    }
    return names;
}

struct TagCase {
    std::string tag;
    std::string name;
    Attributes attributes;
};

// Each tag is read as "<tag>"; the element's name and attributes follow.
const TagCase tagCases[] = {
    {"a", "a", {}},
    {"a/", "a/", {}}, // no space before "/": the slash stays in the name
    {"a /", "a", {}},
    {"a x=\"1\"/", "a", {{"x", "1"}}},
    {"a x=\"1\" y=\"two words\"", "a", {{"x", "1"}, {"y", "two words"}}},
    {"a  x  =  \"1\"", "a", {{"x", "1"}}},
    {"a x=\"\"", "a", {{"x", ""}}},
    {"a x=\" a=b \"", "a", {{"x", " a=b "}}},
    {"a x=\"&amp;\"", "a", {{"x", "&amp;"}}}, // no entity decoding
    {"a x=\"1\" x=\"2\"", "a", {{"x", "1"}, {"x", "2"}}},
    {"a x='1'", "a", {}},
    {"a x='1' y=\"2\"", "a", {{"x", "2"}}}, // the "=" finds the next double quote
    {"a x=\"1", "a", {}},
    {"a x", "a", {}},
    {"a\tx=\"1\"", "a\tx=\"1\"", {}}, // only a space separates the name
    {"?xml version=\"1.0\"?", "?xml", {{"version", "1.0"}}},
    {" x=\"1\"", "", {{"x", "1"}}},
};

void PrintTo(const TagCase& c, std::ostream* os) {
    *os << "<" << c.tag << ">";
}

class TagCases : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagCases, GiveThisElement) {
    TXMLTree tree;
    parseInto(tree, "<" + GetParam().tag + ">");
    ASSERT_EQ(tree.ElementCount, 1);
    const TXMLNode& element = *tree.FirstChild();
    EXPECT_EQ(element.Name, GetParam().name);
    EXPECT_EQ(attributesOf(element), GetParam().attributes);
}

INSTANTIATE_TEST_SUITE_P(Build, TagCases, ::testing::ValuesIn(tagCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Build, DeclarationStaysOpenAroundTheDocument) {
    TXMLTree tree;
    parseInto(tree, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                    "<ZEFA_APP_INFO>\r\n  <APP_VERSION>1.2</APP_VERSION>\r\n</ZEFA_APP_INFO>\r\n");
    EXPECT_EQ(tree.ElementCount, 3);
    ASSERT_EQ(childNames(tree), std::vector<std::string>{"?xml"});
    const TXMLNode& declaration = *tree.FirstChild();
    EXPECT_EQ(attributesOf(declaration), (Attributes{{"version", "1.0"}, {"encoding", "utf-8"}}));
    const TXMLNode* info = declaration.FindChild("ZEFA_APP_INFO");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->FindChild("APP_VERSION")->Text, "1.2");
}

TEST(Build, EmptyElementTagDoesNotOpen) {
    TXMLTree tree;
    parseInto(tree, "<a><b/><c /><d x=\"1\"/></a>");
    EXPECT_EQ(tree.ElementCount, 4);
    EXPECT_EQ(childNames(*tree.FirstChild()), (std::vector<std::string>{"b/", "c", "d"}));
}

TEST(Build, ClosingTagNamesAreNotCompared) {
    TXMLTree tree;
    parseInto(tree, "<a><b></a><c /></x><d />");
    EXPECT_EQ(childNames(tree), (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(childNames(*tree.FirstChild()), (std::vector<std::string>{"b", "c"}));
}

TEST(Build, ClosingTagWithNothingOpenIsIgnored) {
    TXMLTree tree;
    parseInto(tree, "</x><a></a></a></b><c><d/></c>");
    EXPECT_EQ(tree.ElementCount, 3);
    EXPECT_EQ(childNames(tree), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(tree.Parent, nullptr);
    EXPECT_EQ(tree.FirstChild()->Parent, &tree);
}

TEST(Build, UnclosedElementsStayOpen) {
    TXMLTree tree;
    parseInto(tree, "<a><b><c />");
    ASSERT_EQ(childNames(tree), std::vector<std::string>{"a"});
    ASSERT_NE(tree.FindNode("a/b/c"), nullptr);
    EXPECT_EQ(tree.FindNode("a/b/c")->Parent->Name, "b");
}

TEST(Build, EmptyAngleBracketsMakeNoElement) {
    TXMLTree tree;
    parseInto(tree, "<a><></a><>");
    EXPECT_EQ(tree.ElementCount, 1);
    EXPECT_FALSE(tree.FirstChild()->HasChildren());
}

TEST(Build, GreaterThanInsideAValueEndsTheTag) {
    TXMLTree tree;
    parseInto(tree, "<a x=\"1>2\"/>");
    const TXMLNode& element = *tree.FirstChild();
    EXPECT_EQ(element.Name, "a");
    EXPECT_TRUE(element.Attributes.empty());
    EXPECT_EQ(element.Text, "2\"/>");
}

TEST(Build, TextGoesToTheCurrentElementAndTheLastOneWins) {
    TXMLTree tree;
    parseInto(tree, "lead<a> first <b /> second </a>trail");
    EXPECT_EQ(tree.FirstChild()->Text, "second");
    EXPECT_EQ(tree.FirstChild()->TextKind, TXMLTextKind::tkPlain);
    ASSERT_NE(tree.FindNode("a/b"), nullptr);
    EXPECT_EQ(tree.FindNode("a/b")->Text, "");
    EXPECT_EQ(tree.Text, "trail"); // text outside every element belongs to the tree
}

TEST(Build, CDataStaysEncodedInTheTree) {
    TXMLTree tree;
    parseInto(tree, "<a>\r\n  <![CDATA[line one\r\n\tline two]]>\r\n</a>");
    const TXMLNode& element = *tree.FirstChild();
    EXPECT_EQ(element.Text, "line one\\n \\t line two");
    EXPECT_EQ(element.TextKind, TXMLTextKind::tkCDATA);
}

TEST(Build, LaterPlainTextReplacesCData) {
    TXMLTree tree;
    parseInto(tree, "<a><![CDATA[x]]>y</a>");
    EXPECT_EQ(tree.FirstChild()->Text, "y");
    EXPECT_EQ(tree.FirstChild()->TextKind, TXMLTextKind::tkPlain);
}

TEST(Build, UnterminatedCDataTakesTheRestOfTheText) {
    TXMLTree tree;
    parseInto(tree, "<a><![CDATA[keep <b/>\r\nthis");
    EXPECT_EQ(tree.ElementCount, 1);
    EXPECT_EQ(tree.FirstChild()->Text, "keep <b/>\\n this");
}

TEST(Build, TextWithoutTagsIsNoDocument) {
    TXMLTree tree;
    EXPECT_EQ(tree.Name, "");
    parseInto(tree, "just words\r\n");
    EXPECT_EQ(tree.ElementCount, 0);
    EXPECT_EQ(tree.Name, "root");
    EXPECT_FALSE(tree.HasChildren());
}

TEST(Build, RebuildingStartsAfresh) {
    TXMLTree tree;
    parseInto(tree, "top text<a x=\"1\"><b/></a>");
    tree.AddAttribute("stray", "1");
    parseInto(tree, "<c />");
    EXPECT_EQ(tree.ElementCount, 1);
    EXPECT_EQ(childNames(tree), std::vector<std::string>{"c"});
    EXPECT_TRUE(tree.Attributes.empty());
    EXPECT_EQ(tree.Text, "");
}

TEST(Build, IgnoresEntriesThatAreNoTokens) {
    TXMLTree tree;
    tree.Lines = {"", "OT", "XX:nothing", "OT:a", "TX:t", "CT:a"};
    tree.Build();
    EXPECT_EQ(tree.ElementCount, 1);
    EXPECT_EQ(tree.FirstChild()->Text, "t");
}

} // namespace
