// The key reader: values found by key whatever the order of the entries, a key left out read as
// its default, degrees read as radians, an assembly chosen by text or by check box, and a key
// or a box it cannot read refused by its key.
#include <gtest/gtest.h>

#include <cmath>

#include "run/inputs.h"

namespace {

using sim::InputBox;
using sim::Refusal;

const std::vector<InputBox> kBoxes{sim::NumberBox(2, "L", "1", "", "長さ"),
                                   sim::AngleBox(1, "phi", "90", "", "角度"),
                                   sim::BranchBox("branch")};

TEST(InputValues, ReadByKeyWithAnglesInRadiansAndDefaultsForKeysLeftOut)
{
    auto read = sim::ReadInputs(kBoxes, {{"phi", "－１８０"}, {"L", "２.５"}});
    ASSERT_TRUE(read.ok());
    double length = 0, angle = 0;
    numeric::Branch branch = numeric::Branch::Other;
    EXPECT_FALSE(read.value().read({{"phi", angle}, {"branch", branch}, {"L", length}}));
    EXPECT_EQ(length, 2.5);
    EXPECT_NEAR(angle, -std::acos(-1.0), 1e-13);
    EXPECT_EQ(branch, numeric::Branch::Usual);

    read = sim::ReadInputs(kBoxes, {{"branch", numeric::Branch::Other}});
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.value().read({{"phi", angle}, {"branch", branch}, {"L", length}}));
    EXPECT_EQ(length, 1);
    EXPECT_NEAR(angle, std::acos(-1.0) / 2, 1e-14);
    EXPECT_EQ(branch, numeric::Branch::Other);

    const sim::InputEntries complete = sim::CompleteInputs(kBoxes, {{"L", "3"}});
    EXPECT_EQ(complete.size(), 3u);
    EXPECT_EQ(std::get<std::string>(complete.at("L")), "3");
    EXPECT_EQ(std::get<std::string>(complete.at("phi")), "90");
}

TEST(InputValues, RefusesAnUnknownKeyAKeyOfTheOtherKindAndAnUnreadableBox)
{
    const sim::InputValues values = sim::ReadInputs(kBoxes, {}).value();
    double number = 0;
    numeric::Branch branch = numeric::Branch::Usual;
    for (const std::optional<Refusal>& refused :
         {values.read({{"L", number}, {"L9", number}}), values.read({{"branch", number}}),
          values.read({{"L", branch}})}) {
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->kind, Refusal::Kind::Input);
    }

    struct Row {
        const char* name;
        sim::InputEntries entries;
        std::string key, reason;
        Refusal::Kind kind = Refusal::Kind::NotANumber;
    };
    const Row rows[] = {
        {"empty box", {{"L", ""}}, "L", "数値ではありません: \"\""},
        {"not a number", {{"phi", "abc"}}, "phi", "数値ではありません: \"abc\""},
        {"a check box's choice for a number",
         {{"L", numeric::Branch::Other}},
         "L",
         "数値ではありません: \"\""},
        // A number beyond a double's range is a number, only too large.
        {"beyond range", {{"phi", "-1e400"}}, "phi", sim::kBeyondRangeReason, Refusal::Kind::Input},
        // The first box in the registration's order is named, whatever the entries' order.
        {"two bad boxes", {{"phi", "x"}, {"L", "y"}}, "L", "数値ではありません: \"y\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = sim::ReadInputs(kBoxes, row.entries);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().kind, row.kind);
        EXPECT_EQ(read.error().key, row.key);
        EXPECT_EQ(read.error().reason, row.reason);
    }
}

}
