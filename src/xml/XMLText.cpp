#include "xml/XMLText.h"

#include <charconv>
#include <cmath>

namespace xmltext {
namespace {

bool isControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

unsigned char foldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// One pass for two patterns so that a replacement is never scanned again.
std::string replaceTwo(std::string_view text, std::string_view from1, std::string_view to1,
                       std::string_view from2, std::string_view to2) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view rest = text.substr(pos);
        if (rest.starts_with(from1)) {
            out.append(to1);
            pos += from1.size();
        } else if (rest.starts_with(from2)) {
            out.append(to2);
            pos += from2.size();
        } else {
            out.push_back(text[pos]);
            ++pos;
        }
    }
    return out;
}

} // namespace

std::string_view trimControl(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isControlOrSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && isControlOrSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        ++i;
        start = i;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::string encodeCData(std::string_view text) {
    return replaceTwo(text, "\r\n", "\\n ", "\t", "\\t ");
}

std::string decodeCData(std::string_view text) {
    return replaceTwo(text, "\\n ", "\r\n", "\\t ", "\t");
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return compareIgnoreCase(a, b) == 0;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = foldCase(a[i]);
        const unsigned char cb = foldCase(b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::optional<double> toNumber(std::string_view text) {
    text = trimControl(text);
    // from_chars takes no plus sign; a written "+2" is still a number.
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace xmltext
