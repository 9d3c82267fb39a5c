// Doubles to decimal text and back, in the forms of std::to_chars and std::from_chars. The
// desktop's C++ library has them; the browser build's library has only their integer forms, so
// there the same texts come from the shortest-digits algorithm of the fmt headers and from the
// C library's exactly rounded printf and strtod. Every function writes at most 400 characters
// (the widest fixed text of a double has 309 digits before its point).
#pragma once

namespace numeric {

// The shortest text that reads back to exactly `value`, in fixed or exponent form, whichever is
// shorter (fixed on a tie): to_chars(first, last, value). Returns the end.
char* WriteShortest(char* first, double value);
// The shortest digits that read back to exactly `value`, laid out without an exponent:
// to_chars(first, last, value, chars_format::fixed).
char* WriteShortestFixed(char* first, double value);
// `value` rounded to 1 + `decimals` significant digits, as "d.ddde+XX":
// to_chars(first, last, value, chars_format::scientific, decimals).
char* WriteScientific(char* first, double value, int decimals);

enum class ReadOutcome { Read, NotANumber, OutOfRange };
// Reads a plain decimal number without a leading '+' that fills [first, last), as from_chars
// with chars_format::general: a value beyond a double's range, or one that rounds to zero from
// a non-zero text, is OutOfRange and leaves `value` unchanged.
ReadOutcome ReadDecimal(const char* first, const char* last, double& value);

}
