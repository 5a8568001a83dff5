// Building a tree by hand and moving through it the way the file readers do.
#include "XMLTestSupport.h"

namespace {

TEST(Navigation, AddChildLinksAndAppends) {
    TXMLTree tree;
    TXMLNode* first = tree.AddChild("a", "text");
    TXMLNode* second = tree.AddChild("b");
    EXPECT_EQ(first->Parent, &tree);
    EXPECT_EQ(first->Text, "text");
    EXPECT_EQ(first->TextKind, TXMLTextKind::tkPlain);
    ASSERT_EQ(tree.Children.size(), 2u);
    EXPECT_EQ(tree.Children[1].get(), second);
}

TEST(Navigation, DuplicateAttributesAreKeptAndTheFirstIsFound) {
    TXMLNode node("n");
    TXMLAttribute* first = node.AddAttribute("k", "1");
    node.AddAttribute("K", "case");
    node.AddAttribute("k", "2");
    EXPECT_EQ(node.Attributes.size(), 3u);
    EXPECT_EQ(node.FindAttribute("k"), first);
    EXPECT_EQ(node.FindAttribute("K")->Value, "case");
    EXPECT_EQ(node.FindAttribute("missing"), nullptr);
}

TEST(Navigation, FindChildMatchesExactNames) {
    TXMLTree tree;
    parseInto(tree, "<r><Sample n=\"1\"/><sample /><Sample n=\"2\"/></r>");
    const TXMLNode& root = *tree.FirstChild();
    EXPECT_EQ(root.FindChild("Sample")->FindAttribute("n")->Value, "1");
    EXPECT_EQ(root.FindChild("sample"), root.Children[1].get());
    EXPECT_EQ(root.FindChild("Sam"), nullptr);
}

TEST(Navigation, SiblingWalkVisitsChildrenInOrder) {
    TXMLTree tree;
    parseInto(tree, "<r><a /><b><x /></b><c /></r>");
    const TXMLNode* root = tree.FirstChild();
    ASSERT_TRUE(root->HasChildren());
    std::vector<std::string> seen;
    for (const TXMLNode* n = root->FirstChild(); n != nullptr; n = n->NextSibling()) {
        seen.push_back(n->Name);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(root->FirstChild()->HasChildren());
    EXPECT_EQ(root->FindChild("b")->FirstChild()->NextSibling(), nullptr);
}

TEST(Navigation, NodesWithoutParentOrChildren) {
    TXMLTree tree;
    EXPECT_EQ(tree.FirstChild(), nullptr);
    EXPECT_EQ(tree.NextSibling(), nullptr);
    EXPECT_FALSE(tree.HasChildren());
    tree.AddChild("only");
    EXPECT_EQ(tree.FirstChild()->NextSibling(), nullptr);
}

TEST(Navigation, NextSiblingFollowsChildrenRearrangedByHand) {
    TXMLTree tree;
    for (const char* name : {"a", "b", "c", "d"}) {
        tree.AddChild(name);
    }
    tree.Children.erase(tree.Children.begin());
    std::swap(tree.Children[0], tree.Children[2]); // d c b
    std::vector<std::string> seen;
    for (const TXMLNode* n = tree.FirstChild(); n != nullptr; n = n->NextSibling()) {
        seen.push_back(n->Name);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"d", "c", "b"}));
}

} // namespace
