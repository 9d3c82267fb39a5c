// The key reader: values found by key whatever the order of the boxes, degrees read as radians,
// and a key or a box it cannot read refused by its key.
#include <gtest/gtest.h>

#include <cmath>

#include "run/inputs.h"

namespace {

using sim::InputBox;
using sim::Refusal;

const std::vector<InputBox> kBoxes{{2, "長さ", "1", "L", false},
                                   {0, "", "9", "", false},   // never read
                                   {1, "角度", "1", "phi", true}};

TEST(InputValues, ReadByKeyWithAnglesInRadians)
{
    auto read = sim::ReadInputs(kBoxes, {"not read", "－１８０", "２.５"});
    ASSERT_TRUE(std::holds_alternative<sim::InputValues>(read));
    double length = 0, angle = 0;
    EXPECT_FALSE(std::get<sim::InputValues>(read).read({{"phi", angle}, {"L", length}}));
    EXPECT_EQ(length, 2.5);
    EXPECT_NEAR(angle, -std::acos(-1.0), 1e-13);
}

TEST(InputValues, RefusesAnUnknownKeyAndAMissingOrUnreadableBox)
{
    const auto values = std::get<sim::InputValues>(sim::ReadInputs(kBoxes, {"", "0", "1"}));
    double unused = 0;
    const std::optional<Refusal> unknown = values.read({{"L", unused}, {"L9", unused}});
    ASSERT_TRUE(unknown.has_value());
    EXPECT_EQ(unknown->kind, Refusal::Kind::Input);
    EXPECT_EQ(unknown->key, "L9");

    struct Row {
        const char* name;
        std::vector<std::string> texts;
        std::string key, reason;
        Refusal::Kind kind = Refusal::Kind::NotANumber;
    };
    const Row rows[] = {
        {"missing box", {"", "0"}, "L", "数値ではありません: \"\""},
        {"not a number", {"", "abc", "1"}, "phi", "数値ではありません: \"abc\""},
        // A number beyond a double's range is a number, only too large.
        {"beyond range", {"", "1", "-1e400"}, "L", sim::kBeyondRangeReason, Refusal::Kind::Input},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = sim::ReadInputs(kBoxes, row.texts);
        const Refusal* refused = std::get_if<Refusal>(&read);
        ASSERT_NE(refused, nullptr);
        EXPECT_EQ(refused->kind, row.kind);
        EXPECT_EQ(refused->key, row.key);
        EXPECT_EQ(refused->reason, row.reason);
    }
}

}
