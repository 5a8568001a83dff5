// The token list the tokenizer makes from a text.
#include "XMLTestSupport.h"

namespace {

using Tokens = std::vector<std::string>;

struct TokenCase {
    const char* what;
    std::string text;
    Tokens tokens;
};

const TokenCase tokenCases[] = {
    {"tags and text", "<a>text</a>", {"OT:a", "TX:text", "CT:a"}},
    {"indentation gives no text",
     "<a>\r\n  <b x=\"1\"/>\r\n\t<c />\r\n</a>\r\n",
     {"OT:a", "ET:b x=\"1\"/", "ET:c /", "CT:a"}},
    {"text is trimmed", "<a>  \t inner  text \r\n</a>", {"OT:a", "TX:inner  text", "CT:a"}},
    {"any line break inside text becomes CR LF",
     "<a>one\ntwo\rthree\r\nfour</a>",
     {"OT:a", "TX:one\r\ntwo\r\nthree\r\nfour", "CT:a"}},
    {"bytes above 127 are not white space",
     "<a>\xA0\xE9t\xE9\xFF</a>",
     {"OT:a", "TX:\xA0\xE9t\xE9\xFF", "CT:a"}},
    {"text around the tags", "lead<a/>trail", {"TX:lead", "ET:a/", "TX:trail"}},
    {"a tag may span lines", "<a\nx=\"1\">", {"OT:a\r\nx=\"1\""}},
    {"declaration is an opening tag", "<?xml version=\"1.0\"?>", {"OT:?xml version=\"1.0\"?"}},
    {"comment is an opening tag", "<!-- note -->", {"OT:!-- note --"}},
    {"doctype is an opening tag", "<!DOCTYPE x>", {"OT:!DOCTYPE x"}},
    {"closing tag payload has no slash", "</a b>", {"CT:a b"}},
    {"empty closing tag", "</>", {"CT:"}},
    {"\">\" in text is text", "<a>1 > 0</a>", {"OT:a", "TX:1 > 0", "CT:a"}},
    {"\"<\" without \">\" is skipped", "a < b", {"TX:a", "TX:b"}},
    {"\"<>\" makes no token", "<a><></a>", {"OT:a", "CT:a"}},
    {"no text, no token", "", {}},
    {"white space only", " \r\n\t \r\n", {}},
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.what;
}

class TokenizerCases : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, GivesTheseTokens) {
    EXPECT_EQ(tokensOf(GetParam().text), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(Tokenize, TokenizerCases, ::testing::ValuesIn(tokenCases),
                         [](const auto& info) { return caseName(info); });

struct CDataCase {
    const char* what;
    std::string text;
    std::string payload;
};

const CDataCase cdataCases[] = {
    {"plain content", "<![CDATA[a <b> & c]]>", "a <b> & c"},
    {"line break and tab are encoded", "<![CDATA[x\n\ty]]>", "x\\n \\t y"},
    {"white space is kept", "<![CDATA[  x  ]]>", "  x  "},
    {"opening is matched ignoring case", "<![cdata[x]]>", "x"},
    {"empty section", "<![CDATA[]]>", ""},
    {"the first ]]> ends it", "<![CDATA[a]]>b]]>", "a"},
    // Unterminated: the rest of the text, without the joining line break.
    {"no end takes the rest", "<![CDATA[rest\nof <it>", "rest\\n of <it>"},
    {"no end on the last line", "<![CDATA[", ""},
};

void PrintTo(const CDataCase& c, std::ostream* os) {
    *os << c.what;
}

class CDataCases : public ::testing::TestWithParam<CDataCase> {};

TEST_P(CDataCases, GivesOneEncodedToken) {
    const Tokens tokens = tokensOf(GetParam().text);
    ASSERT_FALSE(tokens.empty());
    EXPECT_EQ(tokens.front(), "CD:" + GetParam().payload);
}

INSTANTIATE_TEST_SUITE_P(Tokenize, CDataCases, ::testing::ValuesIn(cdataCases),
                         [](const auto& info) { return caseName(info); });

TEST(Tokenize, ScanningResumesAfterTheCDataSection) {
    EXPECT_EQ(tokensOf("<a><![CDATA[<b>]]>tail</a>"),
              (Tokens{"OT:a", "CD:<b>", "TX:tail", "CT:a"}));
}

TEST(Tokenize, ReplacesTheLinesInPlace) {
    std::vector<std::string> lines{"<a>", "x", "</a>"};
    TXMLTree::Tokenize(lines);
    EXPECT_EQ(lines, (Tokens{"OT:a", "TX:x", "CT:a"}));
}

} // namespace
