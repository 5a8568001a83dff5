// Paths for FindNode: how a step is parsed into a filter, what each operator
// means, and how a path is searched.
#include "XMLTestSupport.h"
#include "xml/XMLFilter.h"

namespace {

struct AtomExpectation {
    std::string name;
    std::string value;
    int32_t op;
    bool isAttribute;
};

struct StepCase {
    std::string step;
    std::string name;
    std::vector<AtomExpectation> atoms;
};

const StepCase stepCases[] = {
    {"Group", "Group", {}},
    {"Group[@Caption = 'Toms']", "Group", {{"Caption", "Toms", opEq, true}}},
    {"G[@a $ge$ 3] [b $ine$ \"x\"]", "G", {{"a", "3", opGe, true}, {"b", "x", opINe, false}}},
    {"G[@a]", "G", {{"a", "", opNone, true}}},
    {"G[a=1]", "G", {{"a=1", "", opNone, false}}}, // operators need their spaces
    {"G[ @a $eq$ 'x\" ]", "G", {{"@a", "x", opEq, false}}},
    // The table order decides, not the position in the predicate.
    {"G[x = a $ne$ b]", "G", {{"x = a", "b", opNe, false}}},
    {"G[@a $lt$ 5 $gt$ 9]", "G", {{"a $lt$ 5", "9", opGt, true}}},
    {"G[@a $gt$ 5 $lt$ 9]", "G", {{"a", "5 $lt$ 9", opGt, true}}},
    {"G[x $ieq$ a = b]", "G", {{"x", "a = b", opIEq, false}}},
    {"G[@a $ige$ b $ile$ c]", "G", {{"a", "b $ile$ c", opIGe, true}}},
    // The list ends at an empty predicate, a missing bracket or a predicate
    // whose name or value is empty.
    {"G[@a][]", "G", {{"a", "", opNone, true}}},
    {"G[@a][@b", "G", {{"a", "", opNone, true}}},
    {"G[@a = '']", "G", {}},
    {"G[ = 1][@b]", "G", {}},
    {"[@a]", "", {{"a", "", opNone, true}}},
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.step;
}

class StepCases : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepCases, ParseIntoThisFilter) {
    const TXMLFilter filter = TXMLFilter::parse(GetParam().step);
    EXPECT_EQ(filter.Name, GetParam().name);
    ASSERT_EQ(filter.Atoms.size(), GetParam().atoms.size());
    for (size_t i = 0; i < filter.Atoms.size(); ++i) {
        const TXMLFilterAtom& atom = filter.Atoms[i];
        const AtomExpectation& expected = GetParam().atoms[i];
        EXPECT_EQ(atom.Name, expected.name) << i;
        EXPECT_EQ(atom.Value, expected.value) << i;
        EXPECT_EQ(atom.Operator, expected.op) << i;
        EXPECT_EQ(atom.IsAttribute, expected.isAttribute) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(FindNode, StepCases, ::testing::ValuesIn(stepCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

struct OperatorCase {
    const char* op;
    std::string nodeValue;
    const char* predicateValue;
    bool holds;
};

const OperatorCase operatorCases[] = {
    {"$eq$", "Abc", "Abc", true},
    {"$eq$", "abc", "Abc", false},
    {"=", "Abc", "Abc", true},
    {"=", "Abc", "abc", false},
    {"$ieq$", "aBC", "Abc", true},
    {"$ieq$", "Abd", "Abc", false},
    {"$ne$", "abc", "Abc", true},
    {"$ne$", "Abc", "Abc", false},
    {"$ine$", "ABC", "abc", false},
    {"$ine$", "xyz", "abc", true},
    // Numbers: "10" is above "9" as a number though below it as text.
    {"$ge$", "10", "9", true},
    {"$ge$", "9", "9.0", true},
    {"$gt$", "9", "9", false},
    {"$gt$", "1e3", "999.5", true},
    {"$le$", "2.5", "10", true},
    {"$le$", "+3", "3", true},
    {"$lt$", "-1", "0", true},
    {"$lt$", " 4 ", "5", true},
    {"$ge$", "abc", "1", false},
    {"$lt$", "abc", "1", false},
    {"$le$", "1", "x", false},
    {"$gt$", "", "0", false},
    // Text comparisons ignoring case.
    {"$ige$", "b", "A", true},
    {"$igt$", "10", "9", false},
    {"$igt$", "abd", "ABC", true},
    {"$ile$", "ABC", "abc", true},
    {"$ilt$", "abc", "ABD", true},
    {"$ilt$", "abc", "ab", false},
};

void PrintTo(const OperatorCase& c, std::ostream* os) {
    *os << "'" << c.nodeValue << "' " << c.op << " '" << c.predicateValue << "'";
}

class OperatorCases : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorCases, HoldOrNot) {
    const OperatorCase& c = GetParam();
    const auto atom =
        TXMLFilterAtom::parse("@v " + std::string(c.op) + " '" + c.predicateValue + "'");
    ASSERT_TRUE(atom.has_value());
    EXPECT_EQ(atom->holdsForValue(c.nodeValue), c.holds)
        << "'" << c.nodeValue << "' " << c.op << " '" << c.predicateValue << "'";
    // The same through a document, as an attribute and as a child's text.
    TXMLTree tree;
    TXMLNode* r = tree.AddChild("r");
    r->AddChild("e")->AddAttribute("v", c.nodeValue);
    r->AddChild("e")->AddChild("v", c.nodeValue);
    const std::string test = std::string(" ") + c.op + " '" + c.predicateValue + "']";
    EXPECT_EQ(tree.FindNode("r/x[@v" + test) == r->Children[0].get(), c.holds);
    EXPECT_EQ(tree.FindNode("r/x[v" + test) == r->Children[1].get(), c.holds);
}

INSTANTIATE_TEST_SUITE_P(FindNode, OperatorCases, ::testing::ValuesIn(operatorCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class FindNodeDocument : public ::testing::Test {
protected:
    void SetUp() override {
        parseInto(tree, "<lib>\r\n"
                        "  <G id=\"1\"><x/></G>\r\n"
                        "  <G id=\"2\"><P n=\"first\"/><P n=\"second\"/></G>\r\n"
                        "  <G id=\"3\" tag=\"drums\"><P n=\"third\"><Title>Rock</Title></P></G>\r\n"
                        "  <H />\r\n"
                        "</lib>\r\n");
        lib = tree.FirstChild();
    }
    std::string nAttribute(const TXMLNode* node) {
        if (node == nullptr) {
            return "none";
        }
        const TXMLAttribute* n = node->FindAttribute("n");
        return n == nullptr ? node->Name : n->Value;
    }

    TXMLTree tree;
    const TXMLNode* lib = nullptr;
};

TEST_F(FindNodeDocument, PathsFindTheFirstMatchInDocumentOrder) {
    const std::pair<const char*, const char*> cases[] = {
        {"lib/G/P", "first"}, // the first G has no P; the search goes on to the next
        {"G/P", "none"},      // relative to the tree, whose only child is lib
        {"lib/G[@id = 3]/P", "third"},
        {"lib/G[@id $gt$ 1]/P", "first"},
        {"lib/G[@id $ge$ 3]/P/Title", "Title"},
        {"lib/G/P[Title = 'Rock']", "third"},
        {"lib/G/P[@n $ieq$ SECOND]", "second"},
        {"lib/G/P[@n]", "first"},
        {"lib/G[@* = drums]/P", "third"},
        {"lib/G[@* $eq$ nothing]/P", "none"},
        {"lib/G[@missing]/P", "none"},
        {"lib/g/P", "none"}, // names are case-sensitive
        {"lib/H", "H"},
        {"lib/H/anything", "none"},
        {"lib/G/P/Title/deeper", "none"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(nAttribute(tree.FindNode(path)), expected) << path;
    }
}

TEST_F(FindNodeDocument, IsRelativeToTheNodeItIsCalledOn) {
    EXPECT_EQ(nAttribute(lib->FindNode("G/P")), "first");
    EXPECT_EQ(lib->FindNode("lib"), nullptr);
    EXPECT_EQ(lib->FindNode("H"), lib->Children[3].get());
}

TEST_F(FindNodeDocument, PredicatesDoNotCompareTheElementName) {
    // Any child with id="2" matches, whatever the step's name says.
    EXPECT_EQ(lib->FindNode("Whatever[@id = 2]"), lib->Children[1].get());
    EXPECT_EQ(lib->FindNode("H[@*]"), lib->Children[0].get());
}

TEST(FindNode, WildcardAttributeNeedsAnAttribute) {
    TXMLTree tree;
    parseInto(tree, "<r><e /><f k=\"\"/></r>");
    const TXMLNode* r = tree.FirstChild();
    EXPECT_EQ(r->FindNode("e[@*]"), r->Children[1].get());
    EXPECT_EQ(r->FindNode("e[@* $eq$ x]"), nullptr);
}

TEST_F(FindNodeDocument, ChildPredicateNeedsTheChild) {
    EXPECT_EQ(nAttribute(lib->FindNode("G/P[Title]")), "third");
    EXPECT_EQ(lib->FindNode("G/P[Missing]"), nullptr);
}

} // namespace
