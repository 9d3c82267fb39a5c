// The bisection window driven through its boxes and button.
#include <gtest/gtest.h>

#include <cmath>

#include "testbench/bisection_window.h"
#include "testbench/window_driver.h"

using namespace testbench_test;

namespace {

TEST(BisectionTest, Defaults)
{
    testbench::BisectionTest form;
    EXPECT_EQ(form.objectName(), "formnibun");
    EXPECT_EQ(Find<QPushButton>(form, "Command1").text(), "計算精度を設定してボタンを押して下さい");
    EXPECT_EQ(Label(form, "Label1").text(), "精度１／２＾ｎ");
    EXPECT_EQ(Label(form, "Label2").text(), "answer");
    EXPECT_EQ(Box(form, "Text2").text(), "10");
    EXPECT_EQ(Box(form, "Text1").text(), "");
    EXPECT_EQ(Box(form, "Text2").accessibleName(), "精度１／２＾ｎ");
    EXPECT_EQ(Box(form, "Text1").accessibleName(), "answer");
}

TEST(BisectionTest, AnswerTable)
{
    const std::pair<const char*, const char*> rows[] = {
        {"10", "1.4150390625"},   {"1", "1.5"},    {"20", "1.4142141342163086"}, {"0", "error"},
        {"-3", "error"},          {"2.5", "1.25"},   // the whole part of n halvings
        {"１０", "1.4150390625"},
    };
    for (const auto& [n, answer] : rows) {
        testbench::BisectionTest form;
        Box(form, "Text2").setText(n);
        Click(form);
        EXPECT_EQ(Box(form, "Text1").text(), answer) << n;
    }
}

TEST(BisectionTest, AnswerLiesWithinHalfTheLastIntervalOfTheRoot)
{
    for (int n : {3, 7, 15, 30, 50}) {
        testbench::BisectionTest form;
        Box(form, "Text2").setText(QString::number(n));
        Click(form);
        EXPECT_LE(std::abs(Shown(form, "Text1") - std::sqrt(2.0)), 2 / std::ldexp(1.0, n + 1)) << n;
    }
}

TEST(BisectionTest, HugeCountEndsAtTheRoot)
{
    testbench::BisectionTest form;
    Box(form, "Text2").setText("1e300");
    Click(form);
    EXPECT_NEAR(Shown(form, "Text1"), std::sqrt(2.0), 1e-15);
}

TEST(BisectionTest, ARefusalNamesTheBoxAndEmptiesTheAnswer)
{
    testbench::BisectionTest form;
    for (const char* bad : {"abc", "", "nan", "1e999"}) {
        Box(form, "Text2").setText("10");
        Click(form);
        ASSERT_EQ(Box(form, "Text1").text(), "1.4150390625");
        Box(form, "Text2").setText(bad);
        Click(form);
        EXPECT_TRUE(Label(form, "lblMessage").text().contains("精度１／２＾ｎ")) << bad;
        EXPECT_EQ(Box(form, "Text1").text(), "") << bad;
    }
    EXPECT_TRUE(Label(form, "lblMessage").text().contains("範囲外"));   // 1e999
    Box(form, "Text2").setText("1");
    Click(form);
    EXPECT_TRUE(Label(form, "lblMessage").text().isEmpty());
    EXPECT_EQ(Box(form, "Text1").text(), "1.5");
}

}
