// Reading numbers typed into text boxes, and writing numbers as text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace numeric {

// One reader for every box: a plain decimal number (optional sign, digits, point, exponent)
// in ASCII or full-width characters ("２００" -> 200, "－５" -> -5), with surrounding
// half- or full-width spaces. Anything else, NaN/infinity spellings and values beyond a
// double's range give nullopt.
std::optional<double> ReadNumber(std::string_view utf8);

// True for text of a number's form whose value lies beyond a double's range ("1e400",
// "-1e309"), which ReadNumber refuses: such a box is out of range, not "not a number".
bool IsBeyondRange(std::string_view utf8);

// Shortest decimal text that reads back to exactly the same double (std::to_chars); negative
// zero is written "0".
std::string FormatNumber(double value);

// Appends FormatNumber(value) to out without allocating a temporary.
void AppendNumber(std::string& out, double value);

// The longest text FormatNumber writes, e.g. "-2.2250738585072014e-308".
inline constexpr std::size_t kMaxNumberChars = 24;

// Writes FormatNumber(value) at `out`, which has room for kMaxNumberChars; returns the end.
char* PutNumber(char* out, double value);

}
