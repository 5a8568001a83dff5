// The first phase of reading: the joined text becomes a list of tokens.
#include "xml/XMLText.h"
#include "xml/XMLTree.h"

namespace {

constexpr std::string_view cdataOpening = "<![CDATA[";
constexpr std::string_view cdataClosing = "]]>";
constexpr std::string_view lineBreak = "\r\n";

std::string token(std::string_view prefix, std::string_view payload) {
    std::string result;
    result.reserve(prefix.size() + payload.size());
    result.append(prefix);
    result.append(payload);
    return result;
}

void addText(std::vector<std::string>& tokens, std::string_view raw) {
    const std::string_view text = xmltext::trimControl(raw);
    if (!text.empty()) {
        tokens.push_back(token(TXMLTree::textToken, text));
    }
}

} // namespace

void TXMLTree::Tokenize(std::vector<std::string>& lines) {
    std::string joined;
    size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + lineBreak.size();
    }
    joined.reserve(size);
    for (const std::string& line : lines) {
        joined.append(line);
        joined.append(lineBreak);
    }
    const std::string_view text = joined;
    constexpr size_t npos = std::string_view::npos;

    std::vector<std::string> tokens;
    size_t pos = 0;
    // Once a search for ">" has failed there is none further on; remembering
    // that keeps a text full of lone "<" linear instead of quadratic.
    bool noClosingBracketLeft = false;
    while (pos < text.size()) {
        const size_t lt = text.find('<', pos);
        if (lt == npos) {
            addText(tokens, text.substr(pos));
            break;
        }
        addText(tokens, text.substr(pos, lt - pos));

        if (xmltext::startsWithIgnoreCase(text.substr(lt), cdataOpening)) {
            const size_t start = lt + cdataOpening.size();
            size_t end = text.find(cdataClosing, start);
            if (end == npos) {
                // An unclosed section takes the rest of the text, without the
                // line break that joining added after the last line.
                end = text.size() - lineBreak.size();
                pos = text.size();
            } else {
                pos = end + cdataClosing.size();
            }
            tokens.push_back(
                token(cdataToken, xmltext::encodeCData(text.substr(start, end - start))));
            continue;
        }

        const size_t gt = noClosingBracketLeft ? npos : text.find('>', lt + 1);
        if (gt == npos) {
            noClosingBracketLeft = true;
            pos = lt + 1;
            continue;
        }
        const std::string_view tag = text.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (tag.empty()) {
            continue; // "<>" names nothing and makes no element
        }
        if (tag.front() == '/') {
            tokens.push_back(token(closingTagToken, tag.substr(1)));
        } else if (tag.back() == '/') {
            tokens.push_back(token(emptyTagToken, tag));
        } else {
            tokens.push_back(token(openingTagToken, tag));
        }
    }
    lines = std::move(tokens);
}
