#include "app/IniFile.h"

#include "app/Sluzby.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Splits at CR LF, LF or a lone CR.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<int64_t> parseIniInteger(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // Accumulated as a magnitude so that the most negative value fits.
    constexpr uint64_t limit = uint64_t{1} << 63;
    uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        if (magnitude > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) {
            return std::nullopt;
        }
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (negative) {
        return magnitude == limit ? std::numeric_limits<int64_t>::min()
                                  : -static_cast<int64_t>(magnitude);
    }
    if (magnitude == limit) {
        return std::nullopt;
    }
    return static_cast<int64_t>(magnitude);
}

TIniFile TIniFile::fromText(std::string_view text) {
    // A byte-order mark from a Windows editor would hide the first section.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    TIniFile file;
    Section* current = nullptr;
    for (const std::string_view line : splitLines(text)) {
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty()) {
            continue;
        }
        if (trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            name = name.substr(0, name.find(']'));
            file.m_sections.push_back(Section{std::string(trimBlanks(name)), {}});
            current = &file.m_sections.back();
            continue;
        }
        const size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos
                                         ? std::string_view()
                                         : trimBlanks(line.substr(0, equals));
        if (current == nullptr) {
            file.m_preamble.emplace_back(line);
        } else if (key.empty() || key.front() == ';') {
            current->lines.push_back(Line{{}, std::string(line), {}});
        } else {
            current->lines.push_back(
                Line{std::string(key), std::string(line.substr(equals + 1)), std::string(line)});
        }
    }
    return file;
}

TIniFile TIniFile::load(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    if (status.type() != std::filesystem::file_type::regular) {
        throw std::runtime_error("\"" + fileName + "\" is not a file.");
    }
    const uintmax_t size = std::filesystem::file_size(fileName, error);
    if (!error && size > MaxFileSize) {
        throw std::runtime_error("File \"" + fileName + "\" is too large.");
    }
    return fromText(ReadFileToString(fileName));
}

std::string TIniFile::toText() const {
    std::string text;
    for (const std::string& line : m_preamble) {
        text += line;
        text += "\r\n";
    }
    for (const Section& section : m_sections) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const Line& line : section.lines) {
            if (!line.original.empty()) {
                text += line.original;
                text += "\r\n";
                continue;
            }
            if (!line.key.empty()) {
                text += line.key;
                text += '=';
            }
            text += line.text;
            text += "\r\n";
        }
    }
    return text;
}

void TIniFile::save(const std::string& fileName) const {
    replaceFile(fileName, toText());
}

const TIniFile::Section* TIniFile::findSection(std::string_view name) const {
    const auto found = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section& s) {
        return equalsIgnoringCase(s.name, name);
    });
    return found == m_sections.end() ? nullptr : &*found;
}

TIniFile::Section* TIniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

TIniFile::Section& TIniFile::sectionForWriting(std::string_view name) {
    if (name.empty() || holdsLineBreak(name) || name.find(']') != std::string_view::npos ||
        trimBlanks(name) != name) {
        throw std::invalid_argument("Invalid section name \"" + std::string(name) + "\".");
    }
    if (Section* section = findSection(name)) {
        return *section;
    }
    m_sections.push_back(Section{std::string(name), {}});
    return m_sections.back();
}

bool TIniFile::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

std::optional<std::string> TIniFile::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    for (const Line& line : found->lines) {
        if (!line.key.empty() && equalsIgnoringCase(line.key, key)) {
            return line.text;
        }
    }
    return std::nullopt;
}

void TIniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (key.empty() || holdsLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimBlanks(key) != key || key.front() == '[' || key.front() == ';') {
        throw std::invalid_argument("Invalid key name \"" + std::string(key) + "\".");
    }
    if (holdsLineBreak(value)) {
        value = {};
    }
    Section& target = sectionForWriting(section);
    for (Line& line : target.lines) {
        if (!line.key.empty() && equalsIgnoringCase(line.key, key)) {
            line.text = value;
            line.original.clear();
            return;
        }
    }
    target.lines.push_back(Line{std::string(key), std::string(value), {}});
}

void TIniFile::addSection(std::string_view section) {
    sectionForWriting(section);
}

void TIniFile::eraseSection(std::string_view section) {
    std::erase_if(m_sections,
                  [&](const Section& s) { return equalsIgnoringCase(s.name, section); });
}

std::vector<std::string> TIniFile::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections) {
        names.push_back(section.name);
    }
    return names;
}
