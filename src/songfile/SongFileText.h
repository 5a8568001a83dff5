// The song file's text: fixed lines, limits, and the field conversions shared
// by the reader and the writer. Song files are 8-bit text with CR LF line
// ends and fields separated by ";", without quotes or escapes.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A song file that cannot be read or written; the message is the one shown
// to the user.
class TSongFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view SongHeaderLine = "[Tavorine v1.00]";
inline constexpr std::string_view DrumsetSectionLine = "[Drumset]";
inline constexpr std::string_view GroupSectionLine = "[Group]";
inline constexpr std::string_view TempoSectionLine = "[Tempo]";
inline constexpr std::string_view HitsSectionLine = "[Hits]";
inline constexpr std::string_view SongLineEnd = "\r\n";
// Written for a volume, panning, fade or fixed length that is the default.
inline constexpr std::string_view DefaultField = "D";

inline constexpr const char* InvalidFormatMessage = "Invalid file format.";

// Capacity of the song writer's buffer, bytes.
static constexpr size_t SongBufferCapacity = 200000;

// The highest bar a loaded hit or tempo change may start in. Far above any
// song, and low enough that a malformed file cannot make the song allocate
// millions of bars more than a paste at the highest bar the dialogs offer.
static constexpr int32_t MaxLoadedBar = 1999999;

// 'File "name" does not exist.'
std::string missingFileMessage(const std::string& fileName);

// The line without leading and trailing blanks and control characters.
std::string_view trimLine(std::string_view line);

// The fields between ";" separators; empty fields count, a trailing ";" adds
// an empty last field.
std::vector<std::string> splitFields(std::string_view line);

// fields[from] .. the last joined with ";" again: names may contain ";".
std::string joinFields(const std::vector<std::string>& fields, size_t from);

// A decimal integer with an optional sign, nothing else; throws
// TSongFileError "'text' is not a valid integer value" otherwise.
int32_t parseSongInteger(const std::string& text);

// As parseSongInteger, but DefaultField gives -1.
int32_t parseDefaultable(const std::string& text);

// Panning -100..100 as the file's percent 0..100, truncated toward zero.
int32_t panningToPercent(int32_t panning);
// The file's percent back as panning; "Invalid file format." when the value
// cannot be held.
int32_t percentToPanning(int32_t percent);
