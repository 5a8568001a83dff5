// Helpers shared by the XML tree tests: parsing from a string, the token
// list of a text, and scratch files that remove themselves.
#pragma once

#include "xml/XMLText.h"
#include "xml/XMLTree.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

// A test name for a case of a table: its description as an identifier.
template <typename ParamInfo>
std::string caseName(const ParamInfo& info) {
    std::string name;
    for (const char c : std::string_view(info.param.what)) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    return name + std::to_string(info.index);
}

inline std::vector<std::string> tokensOf(std::string_view text) {
    std::vector<std::string> lines = xmltext::splitLines(text);
    TXMLTree::Tokenize(lines);
    return lines;
}

inline void parseInto(TXMLTree& tree, std::string_view text) {
    tree.setText(text);
    tree.parse();
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file name in the temporary folder, unique per test and process, so that
// tests run in parallel do not meet.
class ScratchFile {
public:
    explicit ScratchFile(std::string_view suffix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "tavorine_xml_" + std::string(info->test_suite_name()) + "_" +
                           info->name() + "_" + std::to_string(::getpid()) + std::string(suffix);
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove(m_path);
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
