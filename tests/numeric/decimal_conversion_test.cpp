// The browser build's decimal conversions (fmt's shortest digits and the C library) against the
// standard library's to_chars and from_chars, which the desktop uses.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

// The browser's build of the conversions lives in namespace browser_numeric (CMakeLists.txt).
#define numeric browser_numeric
#include "numeric/decimal_conversion.h"
#undef numeric

namespace {

// to_chars's shortest text, in a given format, or with a given precision.
std::string Std(double value)
{
    char text[400];
    return {text, std::to_chars(text, text + 400, value).ptr};
}
std::string Std(double value, std::chars_format format)
{
    char text[400];
    return {text, std::to_chars(text, text + 400, value, format).ptr};
}
std::string Std(double value, std::chars_format format, int precision)
{
    char text[400];
    return {text, std::to_chars(text, text + 400, value, format, precision).ptr};
}

std::string Browser(char* (*write)(char*, double), double value)
{
    char text[400];
    return {text, write(text, value)};
}

TEST(BrowserDecimals, WriteAndReadAsTheStandardLibraryDoes)
{
    std::mt19937_64 random(2024);
    std::uniform_real_distribution<double> ordinary(-1e3, 1e3);
    std::vector<double> values{0.0, -0.0, 1e23, 5e-324, -2.2250738585072014e-308, 1e300, 0.1,
                               123456789012345680.0, 1.5e17, 9007199254740993.0, 1e-7};
    for (int i = 0; i < 20000; ++i) {
        const double bits = std::bit_cast<double>(random());
        if (std::isfinite(bits))
            values.push_back(bits);
        values.push_back(ordinary(random));
    }
    for (const double v : values) {
        SCOPED_TRACE(Std(v, std::chars_format::scientific, 17));
        const std::string text = Std(v);
        ASSERT_EQ(Browser(browser_numeric::WriteShortest, v), text);
        if (std::abs(v) < 1e30 && std::abs(v) > 1e-30) {
            ASSERT_EQ(Browser(browser_numeric::WriteShortestFixed, v),
                      Std(v, std::chars_format::fixed));
        }
        char scientific[64];
        const char* end = browser_numeric::WriteScientific(scientific, v, 11);
        ASSERT_EQ(std::string(static_cast<const char*>(scientific), end),
                  Std(v, std::chars_format::scientific, 11));
        double back = 0;
        ASSERT_EQ(browser_numeric::ReadDecimal(text.data(), text.data() + text.size(), back),
                  browser_numeric::ReadOutcome::Read);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v));
    }
    double untouched = 7;
    for (const std::string beyond : {"1e400", "1e-400"})
        EXPECT_EQ(browser_numeric::ReadDecimal(beyond.data(), beyond.data() + beyond.size(),
                                               untouched),
                  browser_numeric::ReadOutcome::OutOfRange);
    for (const std::string wrong : {"", "1x", "0x10", "inf", "nan", " 1"})
        EXPECT_EQ(browser_numeric::ReadDecimal(wrong.data(), wrong.data() + wrong.size(), untouched),
                  browser_numeric::ReadOutcome::NotANumber);
    EXPECT_EQ(untouched, 7);
}

}
