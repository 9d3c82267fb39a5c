// The check that guards the two program-wide settings: only numbers a run can use get through.
#include <gtest/gtest.h>

#include "run/settings.h"

namespace {

struct Refused {
    const char* name;
    const char* cycleTime;
    const char* divisions;
    const char* namedBox;   // the box the message must name
};

TEST(ParseSettings, RefusesUnusableInputNamingTheBox)
{
    const Refused cases[] = {
        {"empty T", "", "200", "サイクルタイム"},
        {"T not a number", "abc", "200", "サイクルタイム"},
        {"T with trailing text", "10s", "200", "サイクルタイム"},
        {"T zero", "0", "200", "サイクルタイム"},
        {"T negative zero", "-0", "200", "サイクルタイム"},
        {"T negative", "-5", "200", "サイクルタイム"},
        {"T nan", "nan", "200", "サイクルタイム"},
        {"T infinity", "inf", "200", "サイクルタイム"},
        {"T beyond double range", "1e400", "200", "サイクルタイム"},
        // 1/T and 1/T^2 scale the velocities and accelerations: a denormal T makes them infinite.
        {"T denormal", "5e-324", "200", "サイクルタイム"},
        {"T below a microsecond", "1e-7", "200", "サイクルタイム"},
        {"T huge", "1e300", "200", "サイクルタイム"},
        {"empty N", "10", "", "時分割数"},
        {"N not a number", "10", "x", "時分割数"},
        {"N zero", "10", "0", "時分割数"},
        {"N negative", "10", "-1", "時分割数"},
        {"N fraction below one", "10", "0.5", "時分割数"},
        {"N not whole", "10", "200.5", "時分割数"},
        {"N above ten million", "10", "10000001", "時分割数"},
        {"N infinity", "10", "inf", "時分割数"},
        {"N nan", "10", "nan", "時分割数"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = sim::ParseSettings(c.cycleTime, c.divisions);
        ASSERT_FALSE(parsed.ok());
        EXPECT_EQ(parsed.error().kind, sim::Refusal::Kind::Settings);
        const std::string& message = parsed.error().reason;
        EXPECT_NE(message.find(c.namedBox), std::string::npos) << message;
    }
}

struct Accepted {
    const char* name;
    const char* cycleTime;
    const char* divisions;
    double t;
    int n;
};

TEST(ParseSettings, AcceptsUsableNumbersAsTyped)
{
    const Accepted cases[] = {
        {"defaults", "10", "200", 10, 200},
        {"typed values", "5", "100", 5, 100},
        {"full-width digits", "１０", "２００", 10, 200},
        {"fractional T", "2.5", "1", 2.5, 1},
        {"whole N with a point", "10", "200.0", 10, 200},
        {"exponent N", "10", "1e6", 10, 1'000'000},
        {"surrounding spaces", " 5 ", " 100 ", 5, 100},
        {"smallest T", "0.000001", "200", 1e-6, 200},
        {"largest T", "1000000", "200", 1e6, 200},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = sim::ParseSettings(c.cycleTime, c.divisions);
        ASSERT_TRUE(parsed.ok()) << parsed.error().reason;
        const sim::Settings* settings = &parsed.value();
        EXPECT_EQ(settings->cycleTime, c.t);
        EXPECT_EQ(settings->divisions, c.n);
    }
}

// The dialog and the command line start from the settings' own texts: read back, they give
// the same settings, so confirming an untouched dialog changes nothing.
TEST(SettingsTexts, ReadBackToTheSameSettings)
{
    const sim::Settings cases[] = {{},
                                   {.divisions = 1, .cycleTime = 2.5},
                                   {.divisions = sim::kMaxDivisions, .cycleTime = 1e-6}};
    for (const sim::Settings& s : cases) {
        const auto parsed = sim::ParseSettings(sim::CycleTimeText(s), sim::DivisionCountText(s));
        ASSERT_TRUE(parsed.ok()) << parsed.error().reason;
        const sim::Settings* settings = &parsed.value();
        EXPECT_EQ(settings->cycleTime, s.cycleTime);
        EXPECT_EQ(settings->divisions, s.divisions);
    }
}

}
