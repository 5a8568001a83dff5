#include "xml/XMLTree.h"

#include "xml/XMLError.h"
#include "xml/XMLText.h"

#include <fstream>
#include <iterator>

void TXMLTree::loadFromFile(const std::filesystem::path& fileName) {
    std::error_code error;
    std::ifstream file(fileName, std::ios::binary);
    if (!file || std::filesystem::is_directory(fileName, error)) {
        throw XMLError("Cannot open file \"" + fileName.string() + "\".");
    }
    const std::string content{std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>()};
    if (file.bad()) {
        throw XMLError("Cannot read file \"" + fileName.string() + "\".");
    }
    Lines = xmltext::splitLines(content);
}

void TXMLTree::setText(std::string_view text) {
    Lines = xmltext::splitLines(text);
}

void TXMLTree::parse() {
    Tokenize(Lines);
    Build();
}
