// The one reader of typed numbers (ASCII or full-width) and the shortest round-trip writer.
#include "numeric/number_text.h"

#include <cstdint>

#include "numeric/decimal_conversion.h"

namespace numeric {

namespace {

// Maps the full-width forms a Japanese input method produces to ASCII. Returns false for any
// other non-ASCII character (including malformed UTF-8), which no number may contain.
bool ToAscii(std::string_view in, std::string& out)
{
    out.clear();
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const auto b0 = static_cast<unsigned char>(in[i]);
        if (b0 < 0x80) {
            out.push_back(b0 == '\t' ? ' ' : static_cast<char>(b0));
            ++i;
            continue;
        }
        if (i + 3 > in.size())
            return false;
        const auto b1 = static_cast<unsigned char>(in[i + 1]);
        const auto b2 = static_cast<unsigned char>(in[i + 2]);
        char c = 0;
        if (b0 == 0xEF && b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99)
            c = static_cast<char>('0' + (b2 - 0x90));   // U+FF10..U+FF19
        else if (b0 == 0xEF && b1 == 0xBC && b2 == 0x8B)
            c = '+';   // U+FF0B
        else if (b0 == 0xEF && b1 == 0xBC && b2 == 0x8D)
            c = '-';   // U+FF0D
        else if (b0 == 0xEF && b1 == 0xBC && b2 == 0x8E)
            c = '.';   // U+FF0E
        else if (b0 == 0xEF && b1 == 0xBC && b2 == 0xA5)
            c = 'E';   // U+FF25
        else if (b0 == 0xEF && b1 == 0xBD && b2 == 0x85)
            c = 'e';   // U+FF45
        else if (b0 == 0xE2 && b1 == 0x88 && b2 == 0x92)
            c = '-';   // U+2212 minus sign
        else if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80)
            c = ' ';   // U+3000 ideographic space
        else
            return false;
        out.push_back(c);
        i += 3;
    }
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Checks [sign] (digits [. [digits]] | . digits) [(e|E) [sign] digits] and, for a value out of
// a double's range, tells overflow from underflow by the decimal order of its leading digit.
struct Shape {
    bool valid = false;
    bool belowOne = false;   // the leading significant digit lies right of the point
};

Shape CheckShape(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::int64_t order = 0;   // decimal order of the leading nonzero digit, before the exponent
    bool seenNonzero = false;
    std::size_t digits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
        if (t[i] != '0')
            seenNonzero = true;
        if (seenNonzero)
            ++order;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
            if (!seenNonzero && t[i] != '0')
                seenNonzero = true;
            else if (!seenNonzero)
                --order;
        }
    }
    if (digits == 0)
        return {};
    std::int64_t exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            negative = t[i++] == '-';
        const std::size_t start = i;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            if (exponent < 1'000'000)   // saturate; the order's sign is all that matters
                exponent = exponent * 10 + (t[i] - '0');
        if (i == start)
            return {};
        if (negative)
            exponent = -exponent;
    }
    if (i != t.size())
        return {};
    return {true, order + exponent <= 0};
}

std::string_view Trimmed(std::string_view t)
{
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return t;
}

}

// A value too small for a double (e.g. "1e-400") reads as zero of its sign, as the nearest
// double; a value too large is refused.
std::optional<double> ReadNumber(std::string_view utf8)
{
    std::string ascii;
    if (!ToAscii(utf8, ascii))
        return std::nullopt;
    std::string_view t = Trimmed(ascii);
    const Shape shape = CheckShape(t);
    if (!shape.valid)
        return std::nullopt;
    const bool negative = t.front() == '-';
    if (t.front() == '+' || t.front() == '-')
        t.remove_prefix(1);   // the reader takes no '+'; the sign is applied below

    double value = 0;
    const ReadOutcome outcome = ReadDecimal(t.data(), t.data() + t.size(), value);
    if (outcome == ReadOutcome::OutOfRange) {
        if (!shape.belowOne)
            return std::nullopt;
        value = 0;
    } else if (outcome != ReadOutcome::Read) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool IsBeyondRange(std::string_view utf8)
{
    std::string ascii;
    if (!ToAscii(utf8, ascii))
        return false;
    const std::string_view t = Trimmed(ascii);
    const Shape shape = CheckShape(t);
    return shape.valid && !shape.belowOne && !ReadNumber(utf8);
}

// Negative zero prints as "0": it only arises from multiplying zero by a negative span (a
// velocity at rest, a coordinate on an axis) and means nothing physically; "-0" in a table or
// a box would only puzzle the reader. Every other double reads back bit-identical.
char* PutNumber(char* out, double value)
{
    if (value == 0)
        value = 0;   // +0 for both zeros
    return WriteShortest(out, value);
}

void AppendNumber(std::string& out, double value)
{
    char buffer[kMaxNumberChars];
    out.append(buffer, PutNumber(buffer, value));
}

std::string FormatNumber(double value)
{
    std::string text;
    AppendNumber(text, value);
    return text;
}

}
