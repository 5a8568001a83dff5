// TXMLTree: the invisible root of an XML document in the small subset the
// program's files use. It loads text into Lines, turns it into tokens and
// then into elements, and writes the elements back as indented CR LF text.
//
// A reader:  tree.loadFromFile(name); tree.parse();  (Tokenize(Lines), Build)
//            if (tree.ElementCount == 0) -> no document;
//            otherwise start at tree.FirstChild().
// A writer:  tree.AddChild("Drumset")->AddAttribute("Version", "3.0"); ...
//            tree.SaveToFile(name);
#pragma once

#include "xml/XMLNode.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TXMLTree : public TXMLNode {
public:
    // Prefixes of the token list; each token is a prefix and its payload.
    static constexpr std::string_view openingTagToken = "OT:";
    static constexpr std::string_view emptyTagToken = "ET:";
    static constexpr std::string_view closingTagToken = "CT:";
    static constexpr std::string_view textToken = "TX:";
    static constexpr std::string_view cdataToken = "CD:";

    TXMLTree() = default;

    // Replaces the lines of a text with the token list of that text.
    static void Tokenize(std::vector<std::string>& lines);
    // Rebuilds the elements from the token list in Lines.
    void Build();
    // The document: every top-level element, indented, CR LF line ends.
    // Throws XMLError when a value or text cannot be carried by the format.
    std::string AsText() const;
    // Writes AsText to the file, replacing it; nothing is written (and an
    // existing file stays as it was) when AsText throws.
    void SaveToFile(const std::filesystem::path& fileName);

    // Lines := the file's lines; throws XMLError when it cannot be read,
    // leaving the tree as it was.
    void loadFromFile(const std::filesystem::path& fileName);
    // Lines := the lines of a text held in memory.
    void setText(std::string_view text);
    // Tokenize(Lines) followed by Build.
    void parse();

    std::vector<std::string> Lines;
    // Elements created by the last Build; 0 means "no document".
    int32_t ElementCount = 0;
};
