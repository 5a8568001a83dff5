// Writing: the elements below the tree as indented text with CR LF line
// ends, refusing content that could not be read back.
#include "xml/XMLError.h"
#include "xml/XMLText.h"
#include "xml/XMLTree.h"

#include <fstream>

namespace {

constexpr std::string_view lineBreak = "\r\n";
constexpr std::string_view forbiddenCharacters = "\"<>";

// The reader takes a value up to the next double quote and a tag up to the
// next ">", and a "<" in text starts a tag; such content cannot survive.
void checkContent(std::string_view content, std::string_view what, const TXMLNode& element) {
    const size_t at = content.find_first_of(forbiddenCharacters);
    if (at == std::string_view::npos) {
        return;
    }
    throw XMLError("Cannot save " + std::string(what) + " of the element \"" + element.Name +
                   "\" because it contains the character '" + content[at] +
                   "' (double quotes, '<' and '>' cannot be stored): " + std::string(content));
}

void checkElement(const TXMLNode& element) {
    for (const auto& attribute : element.Attributes) {
        checkContent(attribute->Value, "the value of \"" + attribute->Name + "\"", element);
    }
    if (element.Text.empty()) {
        return;
    }
    if (element.TextKind == TXMLTextKind::tkPlain) {
        checkContent(element.Text, "the text", element);
    } else if (xmltext::decodeCData(element.Text).find("]]>") != std::string::npos) {
        throw XMLError("Cannot save the text of the element \"" + element.Name +
                       "\": it contains \"]]>\", which cannot be stored in a CDATA section.");
    }
}

void appendIndent(std::string& out, size_t level) {
    out.append(2 * level, ' ');
}

// Writes the start of an element; true when it stays open for children
// and a closing tag.
bool openElement(std::string& out, const TXMLNode& element, size_t level) {
    checkElement(element);
    appendIndent(out, level);
    out += '<';
    out += element.Name;
    for (const auto& attribute : element.Attributes) {
        out += ' ';
        out += attribute->Name;
        out += "=\"";
        out += attribute->Value;
        out += '"';
    }
    if (element.Children.empty() && element.Text.empty()) {
        out += " />";
        out += lineBreak;
        return false;
    }
    out += '>';
    out += lineBreak;
    if (!element.Text.empty()) {
        appendIndent(out, level + 1);
        if (element.TextKind == TXMLTextKind::tkPlain) {
            out += element.Text;
        } else {
            out += "<![CDATA[";
            out += xmltext::decodeCData(element.Text);
            out += "]]>";
        }
        out += lineBreak;
    }
    return true;
}

void closeElement(std::string& out, const TXMLNode& element, size_t level) {
    appendIndent(out, level);
    out += "</";
    out += element.Name;
    out += '>';
    out += lineBreak;
}

} // namespace

std::string TXMLTree::AsText() const {
    struct Open {
        const TXMLNode* element;
        size_t nextChild;
    };
    std::string out;
    // An explicit stack instead of recursion: read files may nest deeply.
    std::vector<Open> open;
    for (const auto& topLevel : Children) {
        if (openElement(out, *topLevel, 0)) {
            open.push_back({topLevel.get(), 0});
        }
        while (!open.empty()) {
            Open& top = open.back();
            const size_t level = open.size() - 1;
            if (top.nextChild < top.element->Children.size()) {
                const TXMLNode& child = *top.element->Children[top.nextChild++];
                if (openElement(out, child, level + 1)) {
                    open.push_back({&child, 0});
                }
            } else {
                closeElement(out, *top.element, level);
                open.pop_back();
            }
        }
    }
    return out;
}

void TXMLTree::SaveToFile(const std::filesystem::path& fileName) {
    const std::string text = AsText();
    Lines = xmltext::splitLines(text);
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw XMLError("Cannot create file \"" + fileName.string() + "\".");
    }
    for (const std::string& line : Lines) {
        file << line << lineBreak;
    }
    file.close();
    if (!file) {
        throw XMLError("Cannot write file \"" + fileName.string() + "\".");
    }
}
