// Decimal conversions through the standard library where it has them, and otherwise through
// fmt's shortest digits (Dragonbox: the shortest digits, nearest the value, as to_chars gives
// them) and the C library.
#include "numeric/decimal_conversion.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

// The tests build the browser's way on the desktop too, to hold it to the standard library.
#if defined(__cpp_lib_to_chars) && !defined(MECHSIM_DECIMALS_WITHOUT_TO_CHARS)
#define MECHSIM_DECIMALS_FROM_STD 1
#endif

#if !defined(MECHSIM_DECIMALS_FROM_STD)
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#define FMT_HEADER_ONLY
#include <fmt/format.h>
#endif

namespace numeric {

#if defined(MECHSIM_DECIMALS_FROM_STD)

namespace {
constexpr std::size_t kRoom = 400;
}

char* WriteShortest(char* first, double value)
{
    return std::to_chars(first, first + kRoom, value).ptr;
}

char* WriteShortestFixed(char* first, double value)
{
    return std::to_chars(first, first + kRoom, value, std::chars_format::fixed).ptr;
}

char* WriteScientific(char* first, double value, int decimals)
{
    return std::to_chars(first, first + kRoom, value, std::chars_format::scientific, decimals).ptr;
}

ReadOutcome ReadDecimal(const char* first, const char* last, double& value)
{
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return ReadOutcome::OutOfRange;
    return ec == std::errc() && ptr == last ? ReadOutcome::Read : ReadOutcome::NotANumber;
}

#else

namespace {

// The shortest digits of a finite, non-zero |value| and the power of ten of the last one.
struct Digits {
    char text[20];
    int count = 0;
    int exponent = 0;   // value = digits * 10^exponent
};

Digits ShortestDigits(double magnitude)
{
    const auto decimal = fmt::detail::dragonbox::to_decimal(magnitude);
    Digits digits;
    auto significand = decimal.significand;
    char reversed[20];
    while (significand > 0) {
        reversed[digits.count++] = static_cast<char>('0' + significand % 10);
        significand /= 10;
    }
    for (int i = 0; i < digits.count; ++i)
        digits.text[i] = reversed[digits.count - 1 - i];
    digits.exponent = decimal.exponent;
    return digits;
}

// Digits of `magnitude` laid out as a plain decimal: "1234", "12.34", "0.001234". A whole
// number with more integer digits than shortest digits is written exactly, as the desktop's
// library does: 1e23 as "99999999999999991611392".
char* LayFixed(char* out, const Digits& d, double magnitude)
{
    const int point = d.count + d.exponent;   // digits before the point
    if (point <= 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -point; ++i)
            *out++ = '0';
        std::memcpy(out, d.text, d.count);
        return out + d.count;
    }
    if (point >= d.count)
        return out + std::snprintf(out, 400, "%.0f", magnitude);
    std::memcpy(out, d.text, point);
    out += point;
    *out++ = '.';
    std::memcpy(out, d.text + point, d.count - point);
    return out + d.count - point;
}

// Digits as "d.ddde+XX", with at least two exponent digits, as printf's %e.
char* LayExponent(char* out, const Digits& d)
{
    *out++ = d.text[0];
    if (d.count > 1) {
        *out++ = '.';
        std::memcpy(out, d.text + 1, d.count - 1);
        out += d.count - 1;
    }
    int exponent = d.exponent + d.count - 1;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    exponent = std::abs(exponent);
    if (exponent >= 100)
        *out++ = static_cast<char>('0' + exponent / 100);
    *out++ = static_cast<char>('0' + exponent / 10 % 10);
    *out++ = static_cast<char>('0' + exponent % 10);
    return out;
}

// The lengths of both layouts, to choose the shorter without writing both.
int FixedLength(const Digits& d)
{
    const int point = d.count + d.exponent;
    if (point <= 0)
        return 2 - point + d.count;
    return point >= d.count ? point : d.count + 1;
}

int ExponentLength(const Digits& d)
{
    const int exponent = std::abs(d.exponent + d.count - 1);
    return d.count + (d.count > 1 ? 1 : 0) + 2 + (exponent >= 100 ? 3 : 2);
}

// Zero, infinities and NaN, written as to_chars writes them; nullptr for any other value.
char* WriteSpecial(char* out, double value)
{
    const char* text = nullptr;
    if (value == 0)
        text = std::signbit(value) ? "-0" : "0";
    else if (std::isinf(value))
        text = value < 0 ? "-inf" : "inf";
    else if (std::isnan(value))
        text = std::signbit(value) ? "-nan" : "nan";
    if (!text)
        return nullptr;
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

}

char* WriteShortest(char* first, double value)
{
    if (char* end = WriteSpecial(first, value))
        return end;
    if (value < 0)
        *first++ = '-';
    const Digits digits = ShortestDigits(std::abs(value));
    return FixedLength(digits) <= ExponentLength(digits)
               ? LayFixed(first, digits, std::abs(value))
               : LayExponent(first, digits);
}

char* WriteShortestFixed(char* first, double value)
{
    if (char* end = WriteSpecial(first, value))
        return end;
    if (value < 0)
        *first++ = '-';
    return LayFixed(first, ShortestDigits(std::abs(value)), std::abs(value));
}

char* WriteScientific(char* first, double value, int decimals)
{
    return first + std::snprintf(first, 400, "%.*e", decimals, value);
}

ReadOutcome ReadDecimal(const char* first, const char* last, double& value)
{
    // strtod also reads hexadecimal, "inf" and "nan", which from_chars's general form does not.
    const std::string text(first, last);
    const bool decimal = std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E'
               || c == '+' || c == '-';
    });
    if (text.empty() || !decimal || text[0] == '+' || text[0] == 'e' || text[0] == 'E')
        return ReadOutcome::NotANumber;
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return ReadOutcome::NotANumber;
    if (errno == ERANGE && (read == 0 || std::isinf(read)))
        return ReadOutcome::OutOfRange;
    value = read;
    return ReadOutcome::Read;
}

#endif

}
