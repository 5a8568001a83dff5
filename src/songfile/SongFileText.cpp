// Field conversions of the song file.
#include "songfile/SongFileText.h"

#include "app/Sluzby.h"

#include <charconv>
#include <limits>

std::string missingFileMessage(const std::string& fileName) {
    return "File \"" + fileName + "\" does not exist.";
}

std::string_view trimLine(std::string_view line) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    SplitString(line, ';', fields);
    return fields;
}

std::string joinFields(const std::vector<std::string>& fields, size_t from) {
    std::string text;
    for (size_t i = from; i < fields.size(); ++i) {
        if (i > from)
            text += ';';
        text += fields[i];
    }
    return text;
}

int32_t parseSongInteger(const std::string& text) {
    // A leading "+" is accepted as the drumset reader accepts it.
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            digits = {};
    }
    int32_t value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end)
        throw TSongFileError("'" + text + "' is not a valid integer value");
    return value;
}

int32_t parseDefaultable(const std::string& text) {
    return text == DefaultField ? -1 : parseSongInteger(text);
}

int32_t panningToPercent(int32_t panning) {
    return static_cast<int32_t>((static_cast<int64_t>(panning) + 100) / 2);
}

int32_t percentToPanning(int32_t percent) {
    const int64_t panning = static_cast<int64_t>(percent) * 2 - 100;
    if (panning < std::numeric_limits<int32_t>::min() ||
        panning > std::numeric_limits<int32_t>::max())
        throw TSongFileError(InvalidFormatMessage);
    return static_cast<int32_t>(panning);
}
