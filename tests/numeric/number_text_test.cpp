// The number reader accepts exactly the plain decimal numbers (ASCII or full-width) and the
// writer's text reads back to the same double.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "numeric/number_text.h"

namespace {

struct Accepted {
    const char* text;
    double value;
};

TEST(ReadNumber, AcceptsPlainDecimalNumbers)
{
    const Accepted rows[] = {
        {"200", 200},
        {"２００", 200},
        {"－５", -5},
        {"\u22125", -5},   // minus sign
        {"＋３", 3},
        {"+3", 3},
        {"１２．５", 12.5},
        {"1.5e3", 1500},
        {"１．５ｅ３", 1500},
        {"１．５Ｅ－３", 0.0015},
        {"2E+2", 200},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {"  7 ", 7},
        {"\t7\t", 7},
        {"\u3000８\u3000", 8},   // ideographic spaces
        {"007", 7},
        {"0.1", 0.1},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const Accepted& row : rows) {
        const auto got = numeric::ReadNumber(row.text);
        ASSERT_TRUE(got.has_value()) << row.text;
        EXPECT_EQ(*got, row.value) << row.text;
    }
}

TEST(ReadNumber, RefusesEverythingElse)
{
    const char* rows[] = {
        "",       "   ",  "\u3000",   "-",   "+",        ".",    "-.",    "e5",     "1,5",
        "１，５", "0x10", "1e",       "1e+", "1.2.3",    "--1",  "+-1",   "1 000",  "1\u30000",
        "inf",    "-inf", "infinity", "nan", "NaN",      "１ａ", "1e400", "-1e400", "1.8e308",
        "12abc",  "abc",  "1\n",      "1d2", "\xEF\xBC", "\xFF", "٣",     "1e1.5",  "1_000",
    };
    for (const char* text : rows)
        EXPECT_FALSE(numeric::ReadNumber(text).has_value()) << '"' << text << '"';
}

// Values below the smallest denormal read as zero of their sign (the nearest double).
TEST(ReadNumber, UnderflowReadsAsZero)
{
    const auto tiny = numeric::ReadNumber("1e-400");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0);
    EXPECT_FALSE(std::signbit(*tiny));
    const auto negativeTiny = numeric::ReadNumber("－０．０００１ｅ－３９９");
    ASSERT_TRUE(negativeTiny.has_value());
    EXPECT_EQ(*negativeTiny, 0);
    // Many leading zeros do not make a small number large, nor digits a large one small.
    EXPECT_EQ(numeric::ReadNumber("0.000000000001e-320"), 0.0);
    EXPECT_FALSE(numeric::ReadNumber("100000000000e300").has_value());
    EXPECT_FALSE(numeric::ReadNumber("1e99999999999999999999").has_value());
    EXPECT_EQ(numeric::ReadNumber("1e-99999999999999999999"), 0.0);
}

TEST(FormatNumber, ShortestRoundTripText)
{
    EXPECT_EQ(numeric::FormatNumber(0.05), "0.05");
    EXPECT_EQ(numeric::FormatNumber(10), "10");
    EXPECT_EQ(numeric::FormatNumber(-2.5), "-2.5");
    EXPECT_EQ(numeric::FormatNumber(1.4142141342163086), "1.4142141342163086");
    EXPECT_EQ(numeric::FormatNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(numeric::FormatNumber(1e-7), "1e-07");
    EXPECT_EQ(numeric::FormatNumber(0.0), "0");
    EXPECT_EQ(numeric::FormatNumber(-0.0), "0");   // negative zero is written as plain 0
}

// Every nonzero finite double, written and read back with from_chars and with the reader,
// is the same bit pattern.
TEST(FormatNumber, RoundTripsBitIdentical)
{
    std::mt19937_64 random(12345);
    int checked = 0;
    while (checked < 20000) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0)
            continue;
        ++checked;
        const std::string text = numeric::FormatNumber(value);
        double back = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(ec, std::errc()) << text;
        ASSERT_EQ(ptr, text.data() + text.size()) << text;
        std::uint64_t backBits;
        std::memcpy(&backBits, &back, sizeof back);
        ASSERT_EQ(backBits, bits) << text;
        ASSERT_EQ(numeric::ReadNumber(text), value) << text;
    }
}

}
