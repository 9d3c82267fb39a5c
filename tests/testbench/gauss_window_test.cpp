// The Gaussian elimination window driven through its boxes and button.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "testbench/gauss_window.h"
#include "testbench/window_driver.h"

using namespace testbench_test;

namespace {

const QString kSolved = QStringLiteral("下段は結果です。");
const QString kSingular = QStringLiteral("行列ｍは不正です。");

// m(1,1), m(1,2), m(2,1), m(2,2), v(1), v(2) into the boxes Text1_0 .. Text1_5.
void Type(QWidget& form, const std::array<const char*, 6>& texts)
{
    for (int i = 0; i < 6; ++i)
        Box(form, QStringLiteral("Text1_%1").arg(i)).setText(QString::fromUtf8(texts[i]));
}

TEST(GaussEliminationTest, ShowsTheSystemPictureWithItsDefaults)
{
    testbench::GaussEliminationTest form;
    EXPECT_EQ(form.objectName(), QStringLiteral("Formgauss"));
    EXPECT_TRUE(form.isWindow());
    const std::array<std::pair<const char*, const char*>, 12> boxes{{
        {"Text1_0", "1"},
        {"Text1_1", "2"},
        {"Text1_2", "3"},
        {"Text1_3", "1"},
        {"Text1_4", "1"},
        {"Text1_5", "1"},
        {"Text1_7", "X"},
        {"Text1_6", "Y"},
        {"Text3_6", "X"},
        {"Text3_7", "Y"},
        {"Text3_4", ""},
        {"Text3_5", ""},
    }};
    for (const auto& [name, text] : boxes)
        EXPECT_EQ(Box(form, name).text(), QString::fromUtf8(text)) << name;
    // The unit matrix of the result system reads "1 0" over "0 1".
    EXPECT_EQ(Label(form, "Label1_11").text() + Label(form, "Label1_10").text(), "10");
    EXPECT_EQ(Label(form, "Label1_9").text() + Label(form, "Label1_8").text(), "01");
    EXPECT_EQ(Label(form, "Label1_0").text(), "m(1,1)");
    EXPECT_EQ(Label(form, "Label1_7").text(), "v(1)");
    EXPECT_EQ(Box(form, "Text1_0").accessibleName(), "m(1,1)");
    EXPECT_EQ(Box(form, "Text2").accessibleName(), "メッセージ");
    EXPECT_EQ(Box(form, "Text3_4").accessibleName(), "X");
    EXPECT_EQ(Box(form, "Text3_5").accessibleName(), "Y");
}

TEST(GaussEliminationTest, DefaultsSolveToTheClosedForm)
{
    testbench::GaussEliminationTest form;
    Click(form);
    EXPECT_EQ(Box(form, "Text2").text(), kSolved);
    // x + 2y = 1, 3x + y = 1  =>  x = 1/5, y = 2/5 (the shortest text of the computed double).
    EXPECT_NEAR(Shown(form, "Text3_4"), 0.2, 1e-15);
    EXPECT_NEAR(Shown(form, "Text3_5"), 0.4, 1e-15);
    EXPECT_EQ(Box(form, "Text3_5").text(), "0.4");
}

TEST(GaussEliminationTest, ResultTable)
{
    struct Row {
        const char* name;
        std::array<const char*, 6> input;
        QString message;
        const char* x;
        const char* y;
    };
    const Row rows[] = {
        // Zero first pivot: the rows are rotated, so X = v(2), Y = v(1).
        {"zero pivot", {"0", "1", "1", "0", "5", "7"}, kSolved, "7", "5"},
        // Second row twice the first: no solution, and no partly eliminated values shown.
        {"singular", {"1", "2", "2", "4", "1", "1"}, kSingular, "", ""},
        {"all zero", {"0", "0", "0", "0", "3", "4"}, kSingular, "", ""},
        {"diagonal", {"4", "0", "0", "-2", "2", "3"}, kSolved, "0.5", "-1.5"},
        {"full-width digits", {"２", "０", "０", "１", "６", "－１"}, kSolved, "3", "-1"},
    };
    for (const Row& r : rows) {
        testbench::GaussEliminationTest form;
        Type(form, r.input);
        Click(form);
        EXPECT_EQ(Box(form, "Text2").text(), r.message) << r.name;
        EXPECT_EQ(Box(form, "Text3_4").text(), r.x) << r.name;
        EXPECT_EQ(Box(form, "Text3_5").text(), r.y) << r.name;
    }
}

TEST(GaussEliminationTest, RepeatedClicksGiveTheSameResult)
{
    for (const auto& input : {std::array<const char*, 6>{"0", "1", "1", "0", "5", "7"},
                              std::array<const char*, 6>{"1", "2", "2", "4", "1", "1"}}) {
        testbench::GaussEliminationTest form;
        Type(form, input);
        Click(form);
        const QString first =
            Box(form, "Text2").text() + Box(form, "Text3_4").text() + Box(form, "Text3_5").text();
        Click(form);
        EXPECT_EQ(Box(form, "Text2").text() + Box(form, "Text3_4").text()
                      + Box(form, "Text3_5").text(),
                  first);
    }
}

TEST(GaussEliminationTest, OverflowingPivotIsAFailureWithoutInfinityOnScreen)
{
    testbench::GaussEliminationTest form;
    Type(form, {"1e-300", "1e300", "1", "1", "1e300", "1"});
    Click(form);
    EXPECT_EQ(Box(form, "Text2").text(), kSingular);
    for (const char* name : {"Text3_4", "Text3_5"}) {
        const QString shown = Box(form, name).text().toLower();
        EXPECT_FALSE(shown.contains("inf") || shown.contains("nan"))
            << name << " " << shown.toStdString();
    }
}

// Students read X = 7, Y = 5 left beside a refusal as its answer.
TEST(GaussEliminationTest, ARefusalNamesTheBoxAndEmptiesTheAnswers)
{
    testbench::GaussEliminationTest form;
    const std::array<std::tuple<int, const char*, const char*, const char*>, 3> bad{{
        {2, "abc", "m(2,1)", "数値ではありません"},
        {5, "1e400", "v(2)", "範囲外"},
        {0, "", "m(1,1)", "数値ではありません"},
    }};
    for (const auto& [index, text, caption, reason] : bad) {
        Type(form, {"0", "1", "1", "0", "5", "7"});
        Click(form);
        ASSERT_EQ(Box(form, "Text3_4").text(), "7");
        Box(form, QStringLiteral("Text1_%1").arg(index)).setText(text);
        Click(form);
        const QString message = Box(form, "Text2").text();
        EXPECT_TRUE(message.contains(caption) && message.contains(QString::fromUtf8(reason)))
            << message.toStdString();
        EXPECT_EQ(Box(form, "Text3_4").text(), "") << caption;
        EXPECT_EQ(Box(form, "Text3_5").text(), "") << caption;
    }
}

}
