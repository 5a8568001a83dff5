// TIniFile: a small reader and writer of sectioned key=value text files such
// as "options.ini". Values are kept byte for byte (no escaping, no quoting),
// keys and sections keep their order, and section and key names match
// without regard to ASCII letter case. Qt's own INI format escapes and
// reorders values, so it cannot be used for these files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TIniFile {
public:
    // Files larger than this are not options files; reading them would only
    // stall start-up.
    static constexpr uintmax_t MaxFileSize = 1024 * 1024;

    TIniFile() = default;

    // Parses text with CR LF, LF or CR line ends. A line "[name]" opens a
    // section; "key=value" lines add keys; other lines before the first
    // section or inside one (comments) are kept as they are; blank lines go.
    static TIniFile fromText(std::string_view text);

    // Reads a file; a missing file gives an empty TIniFile. Throws
    // std::runtime_error when the path is not a regular file, is larger than
    // MaxFileSize or cannot be read.
    static TIniFile load(const std::string& fileName);

    // The whole file: sections separated by one blank line, CR LF line ends.
    std::string toText() const;

    // Replaces the file with toText() without ever leaving it half written;
    // throws std::runtime_error on failure.
    void save(const std::string& fileName) const;

    bool hasSection(std::string_view section) const;

    // The value of the first key of that name in the first section of that
    // name, or nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets the first key of that name, or appends the key to the section,
    // which is appended to the file when missing. A value holding a line break
    // cannot be stored in this format and is written empty instead, so that
    // it can never inject keys or sections. Section and key names must not
    // hold line breaks, a key no "=" and a section no "]"
    // (std::invalid_argument).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Appends an empty section when none of that name exists.
    void addSection(std::string_view section);

    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);

    // The section names in file order, as written in the file.
    std::vector<std::string> sectionNames() const;

private:
    struct Line {
        std::string key;  // empty for a kept non-key line
        std::string text; // the value, or the whole kept line
        // The key line as read, written back while it is unchanged, so that
        // sections nobody edits stay as they were.
        std::string original;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);
    Section& sectionForWriting(std::string_view name);

    std::vector<std::string> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
};

// ASCII letter case is ignored; other bytes must match exactly.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Spaces and tabs removed from both ends.
std::string_view trimBlanks(std::string_view text);

// An integer in decimal, or hexadecimal after "0x", "0X" or "$", with an
// optional sign and surrounding blanks; nothing when it does not parse or
// does not fit in 64 bits.
std::optional<int64_t> parseIniInteger(std::string_view text);
