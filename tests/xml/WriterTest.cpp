// Writing a tree: the exact bytes, reading them back, and refusing content
// the file format cannot carry.
#include "XMLTestSupport.h"
#include "xml/XMLError.h"

#include <cstdlib>

namespace {

const std::filesystem::path goldenDrumset =
    std::filesystem::path(TAVORINE_TEST_DATA) / "xml" / "drumset.dum";

// Set TAVORINE_GOLDEN=1 to rewrite the golden file from the current writer.
bool regenerateGolden() {
    const char* value = std::getenv("TAVORINE_GOLDEN");
    return value != nullptr && std::string_view(value) == "1";
}

// The shape the drumset writer produces: groups with samples, equaliser
// bands and cut-off references, some elements empty, some not.
void fillDrumset(TXMLTree& tree) {
    TXMLNode* drumset = tree.AddChild("Drumset");
    drumset->AddAttribute("Version", "3.0");
    TXMLNode* unsorted = drumset->AddChild("Group");
    unsorted->AddAttribute("AbsoluteIndex", "0");
    unsorted->AddAttribute("Caption", "Unsorted");
    unsorted->AddAttribute("Visible", "FALSE");
    TXMLNode* toms = drumset->AddChild("Group");
    toms->AddAttribute("AbsoluteIndex", "1");
    toms->AddAttribute("Caption", "Toms & Floor");
    toms->AddAttribute("Visible", "TRUE");
    toms->AddChild("CutOff")->AddAttribute("CIndex", "3");
    TXMLNode* sample = toms->AddChild("Sample");
    sample->AddAttribute("AbsoluteIndex", "2");
    sample->AddAttribute("DirectoryName", "C:\\Samples\\Toms");
    sample->AddAttribute("FileName", "tom hi.wav");
    sample->AddAttribute("Panning", "-35");
    for (const char* centre : {"80", "240"}) {
        TXMLNode* band = sample->AddChild("EQSettings");
        band->AddAttribute("EQ_fCenter", centre);
        band->AddAttribute("EQ_fBandwidth", "12");
        band->AddAttribute("EQ_fGain", "-6");
    }
    sample->AddChild("CutOff")->AddAttribute("CIndex", "1");
    TXMLNode* floor = toms->AddChild("Sample");
    floor->AddAttribute("AbsoluteIndex", "3");
    floor->AddAttribute("Caption", "");
}

TEST(AsText, EmptyTreeWritesNothing) {
    EXPECT_EQ(TXMLTree().AsText(), "");
}

struct LayoutCase {
    const char* what;
    void (*fill)(TXMLTree&);
    std::string text;
};

const LayoutCase layoutCases[] = {
    {"element with an empty child",
     [](TXMLTree& t) {
         TXMLNode* d = t.AddChild("Drumset");
         d->AddAttribute("Version", "3.0");
         d->AddChild("Group")->AddAttribute("AbsoluteIndex", "0");
     },
     "<Drumset Version=\"3.0\">\r\n"
     "  <Group AbsoluteIndex=\"0\" />\r\n"
     "</Drumset>\r\n"},
    {"element with text only takes three lines",
     [](TXMLTree& t) { t.AddChild("APP_VERSION", "1.2.3"); },
     "<APP_VERSION>\r\n"
     "  1.2.3\r\n"
     "</APP_VERSION>\r\n"},
    {"text comes before the children, nesting adds two spaces",
     [](TXMLTree& t) {
         TXMLNode* a = t.AddChild("a", "about a");
         a->AddChild("b")->AddChild("c", "deep")->AddAttribute("k", "v");
     },
     "<a>\r\n"
     "  about a\r\n"
     "  <b>\r\n"
     "    <c k=\"v\">\r\n"
     "      deep\r\n"
     "    </c>\r\n"
     "  </b>\r\n"
     "</a>\r\n"},
    {"every top-level element, none for the tree itself",
     [](TXMLTree& t) {
         t.Name = "root";
         t.Text = "ignored";
         t.AddAttribute("ignored", "1");
         t.AddChild("first");
         t.AddChild("second");
     },
     "<first />\r\n<second />\r\n"},
    {"duplicate attributes are both written, values unchanged",
     [](TXMLTree& t) {
         TXMLNode* n = t.AddChild("n");
         n->AddAttribute("k", "1");
         n->AddAttribute("k", " two & 'three' ");
     },
     "<n k=\"1\" k=\" two & 'three' \" />\r\n"},
    {"CDATA is decoded when written",
     [](TXMLTree& t) {
         TXMLNode* n = t.AddChild("n", "one\\n \\t two <b>");
         n->TextKind = TXMLTextKind::tkCDATA;
     },
     "<n>\r\n"
     "  <![CDATA[one\r\n\ttwo <b>]]>\r\n"
     "</n>\r\n"},
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.what;
}

class LayoutCases : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutCases, WritesTheseBytes) {
    TXMLTree tree;
    GetParam().fill(tree);
    EXPECT_EQ(tree.AsText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(AsText, LayoutCases, ::testing::ValuesIn(layoutCases),
                         [](const auto& info) { return caseName(info); });

TEST(AsText, CDataOverTwoLinesRoundTrips) {
    const std::string text = "<Info>\r\n"
                             "  <![CDATA[first line\r\n"
                             "second\tline]]>\r\n"
                             "</Info>\r\n";
    TXMLTree tree;
    parseInto(tree, text);
    EXPECT_EQ(tree.FirstChild()->Text, "first line\\n second\\t line");
    EXPECT_EQ(tree.AsText(), text);
}

TEST(AsText, ReadingAndWritingAgainKeepsTheBytes) {
    TXMLTree written;
    fillDrumset(written);
    const std::string text = written.AsText();
    TXMLTree read;
    parseInto(read, text);
    EXPECT_EQ(read.ElementCount, 9);
    EXPECT_EQ(read.AsText(), text);
}

TEST(SaveToFile, MatchesTheGoldenFileByteForByte) {
    TXMLTree tree;
    fillDrumset(tree);
    if (regenerateGolden()) {
        tree.SaveToFile(goldenDrumset);
        GTEST_SKIP() << "rewrote " << goldenDrumset;
    }
    ScratchFile file(".dum");
    tree.SaveToFile(file.path());
    const std::string golden = readBytes(goldenDrumset);
    ASSERT_FALSE(golden.empty()) << "missing " << goldenDrumset;
    EXPECT_EQ(readBytes(file.path()), golden);
    EXPECT_EQ(tree.Lines.size(), 12u);
    EXPECT_EQ(tree.Lines[1],
              "  <Group AbsoluteIndex=\"0\" Caption=\"Unsorted\" Visible=\"FALSE\" />");
}

TEST(SaveToFile, GoldenFileReadsBackToTheSameFile) {
    TXMLTree tree;
    tree.loadFromFile(goldenDrumset);
    tree.parse();
    ASSERT_EQ(tree.ElementCount, 9);
    EXPECT_EQ(tree.FindNode("Drumset/Group/Sample/EQSettings[@EQ_fCenter = 240]")
                  ->FindAttribute("EQ_fGain")
                  ->Value,
              "-6");
    ScratchFile file(".dum");
    tree.SaveToFile(file.path());
    EXPECT_EQ(readBytes(file.path()), readBytes(goldenDrumset));
}

TEST(SaveToFile, ReplacesAnExistingFile) {
    ScratchFile file(".xml");
    writeBytes(file.path(), std::string(500, 'x'));
    TXMLTree tree;
    tree.AddChild("a");
    tree.SaveToFile(file.path());
    EXPECT_EQ(readBytes(file.path()), "<a />\r\n");
}

TEST(SaveToFile, FolderThatDoesNotExistIsAnError) {
    TXMLTree tree;
    tree.AddChild("a");
    EXPECT_THROW(
        tree.SaveToFile(std::filesystem::temp_directory_path() / "tavorine_no_such_dir" / "x.xml"),
        XMLError);
}

TEST(LoadFromFile, MissingFileIsAnErrorAndLeavesTheTree) {
    TXMLTree tree;
    parseInto(tree, "<a />");
    tree.Lines = {"kept"};
    ScratchFile missing(".xml");
    try {
        tree.loadFromFile(missing.path());
        FAIL() << "no error";
    } catch (const XMLError& error) {
        EXPECT_NE(std::string(error.what()).find(missing.path().string()), std::string::npos);
    }
    EXPECT_EQ(tree.Lines, std::vector<std::string>{"kept"});
    EXPECT_EQ(tree.FirstChild()->Name, "a");
}

TEST(LoadFromFile, SplitsAtEveryKindOfLineBreak) {
    ScratchFile file(".xml");
    writeBytes(file.path(), "one\r\ntwo\nthree\rfour\r\n");
    TXMLTree tree;
    tree.loadFromFile(file.path());
    EXPECT_EQ(tree.Lines, (std::vector<std::string>{"one", "two", "three", "four"}));
}

// Content that the reader would cut short or take for markup.
struct RejectCase {
    const char* what;
    void (*fill)(TXMLTree&);
    const char* mentioned; // a part of the message that names the culprit
};

const RejectCase rejectCases[] = {
    {"double quote in a value",
     [](TXMLTree& t) { t.AddChild("Group")->AddAttribute("Caption", "12\" snare"); }, "Caption"},
    {"less-than in a value",
     [](TXMLTree& t) { t.AddChild("Group")->AddAttribute("Caption", "a<b"); }, "a<b"},
    {"greater-than in a deep value",
     [](TXMLTree& t) {
         t.AddChild("Drumset")->AddChild("Group")->AddChild("Sample")->AddAttribute("FileName",
                                                                                    "x>y.wav");
     },
     "Sample"},
    {"less-than in text", [](TXMLTree& t) { t.AddChild("a", "1 < 2"); }, "1 < 2"},
    {"greater-than in text", [](TXMLTree& t) { t.AddChild("a", "2 > 1"); }, "2 > 1"},
    {"double quote in text", [](TXMLTree& t) { t.AddChild("a", "say \"hi\""); }, "hi"},
    {"end marker in CDATA",
     [](TXMLTree& t) { t.AddChild("a", "x]]>y")->TextKind = TXMLTextKind::tkCDATA; }, "]]>"},
};

void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << c.what;
}

class RejectCases : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectCases, AsTextRefusesWithAClearMessage) {
    TXMLTree tree;
    GetParam().fill(tree);
    try {
        (void)tree.AsText();
        FAIL() << "accepted " << GetParam().what;
    } catch (const XMLError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().mentioned), std::string::npos)
            << error.what();
    }
}

TEST_P(RejectCases, SaveToFileLeavesTheOldFileAlone) {
    ScratchFile file(".xml");
    writeBytes(file.path(), "old contents");
    TXMLTree tree;
    GetParam().fill(tree);
    EXPECT_THROW(tree.SaveToFile(file.path()), XMLError);
    EXPECT_EQ(readBytes(file.path()), "old contents");
}

INSTANTIATE_TEST_SUITE_P(Writer, RejectCases, ::testing::ValuesIn(rejectCases),
                         [](const auto& info) { return caseName(info); });

TEST(AsText, CDataMayHoldMarkupCharacters) {
    TXMLTree tree;
    tree.AddChild("a", "<b attr=\"1\">")->TextKind = TXMLTextKind::tkCDATA;
    EXPECT_EQ(tree.AsText(), "<a>\r\n  <![CDATA[<b attr=\"1\">]]>\r\n</a>\r\n");
}

} // namespace
