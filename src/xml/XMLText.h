// Small text helpers shared by the tokenizer, the builder, the writer and the
// path filters of the XML document tree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xmltext {

// Drops leading and trailing characters whose codes are 32 or below.
std::string_view trimControl(std::string_view text);

// Splits at CR, LF or CR LF; a final line break adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// CDATA content is held with CR LF as "\n " and tab as "\t " so that each
// token stays on one line; decoding turns the sequences back.
std::string encodeCData(std::string_view text);
std::string decodeCData(std::string_view text);

// Comparisons that ignore the case of ASCII letters; bytes compare unsigned.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
int compareIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);

// A decimal floating-point number, surrounding white space allowed; none
// when the text is not a finite number.
std::optional<double> toNumber(std::string_view text);

} // namespace xmltext
