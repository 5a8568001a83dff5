// The second phase of reading: tokens become elements below the tree.
#include "xml/XMLText.h"
#include "xml/XMLTree.h"

namespace {

// A tag's name runs to the first space; attributes follow as name="value".
// Anything that breaks that pattern ends the attribute list silently.
TXMLNode* addElement(TXMLNode& parent, std::string_view tag) {
    constexpr size_t npos = std::string_view::npos;
    const size_t space = tag.find(' ');
    if (space == npos) {
        return parent.AddChild(std::string(tag));
    }
    TXMLNode* element = parent.AddChild(std::string(tag.substr(0, space)));
    size_t pos = space;
    while (true) {
        const size_t equals = tag.find('=', pos);
        if (equals == npos) {
            break;
        }
        const size_t open = tag.find('"', equals + 1);
        if (open == npos) {
            break;
        }
        const size_t close = tag.find('"', open + 1);
        if (close == npos) {
            break;
        }
        element->AddAttribute(std::string(xmltext::trimControl(tag.substr(pos, equals - pos))),
                              std::string(tag.substr(open + 1, close - open - 1)));
        pos = close + 1;
    }
    return element;
}

} // namespace

void TXMLTree::Build() {
    ElementCount = 0;
    clearChildren();
    Attributes.clear();
    Text.clear();
    TextKind = TXMLTextKind::tkPlain;
    Name = "root";

    TXMLNode* current = this;
    for (const std::string& entry : Lines) {
        const std::string_view tokenText = entry;
        if (tokenText.size() < openingTagToken.size()) {
            continue;
        }
        const std::string_view kind = tokenText.substr(0, openingTagToken.size());
        const std::string_view payload = tokenText.substr(openingTagToken.size());
        if (kind == openingTagToken) {
            current = addElement(*current, payload);
            ++ElementCount;
        } else if (kind == emptyTagToken) {
            addElement(*current, payload);
            ++ElementCount;
        } else if (kind == closingTagToken) {
            // Names are not compared; a closing tag with nothing open is
            // dropped so that the tree itself is never left.
            if (current->Parent != nullptr) {
                current = current->Parent;
            }
        } else if (kind == textToken) {
            current->Text = payload;
            current->TextKind = TXMLTextKind::tkPlain;
        } else if (kind == cdataToken) {
            current->Text = payload;
            current->TextKind = TXMLTextKind::tkCDATA;
        }
    }
}
