// The closure test window: the joint C it shows and the chain it draws.
#include <gtest/gtest.h>

#include <QImage>
#include <QMenu>
#include <cmath>
#include <memory>

#include "plot/qt/picture_box.h"
#include "plot/recording_canvas.h"
#include "testbench/closure_window.h"
#include "testbench/draw_point_chain.h"
#include "testbench/window_driver.h"
#include "widgets/picture_menu.h"

using namespace testbench_test;

namespace {

void TypeB(QWidget& form, const char* x2, const char* y2)
{
    Box(form, "Text1_0").setText(x2);
    Box(form, "Text1_1").setText(y2);
}

// The last chain replayed on an 80 x 80 mm recorder.
plot::RecordingCanvas Replay(const testbench::ClosureTest& form)
{
    plot::RecordingCanvas canvas(80, 80);
    const auto chain = form.lastChain();
    if (chain)
        testbench::DrawPointChain(canvas, chain->n, chain->x, chain->y, 1);
    return canvas;
}

std::vector<plot::RecordedLine> SolidLines(const plot::RecordingCanvas& c)
{
    std::vector<plot::RecordedLine> solid;
    for (const auto& l : c.lines)
        if (l.style == plot::PenStyle::Solid)
            solid.push_back(l);
    return solid;
}

TEST(ClosureTest, DefaultsAndNames)
{
    testbench::ClosureTest form;
    EXPECT_EQ(form.objectName(), "Formlady");
    const std::array<std::pair<const char*, const char*>, 6> boxes{{
        {"Text1_0", "8"},
        {"Text1_1", "2"},
        {"Text1_2", "10"},
        {"Text1_6", "10"},
        {"Text1_3", ""},
        {"Text1_4", ""},
    }};
    for (const auto& [name, text] : boxes)
        EXPECT_EQ(Box(form, name).text(), text) << name;
    EXPECT_EQ(Label(form, "Label1_8").text(), "x2           =0");
    EXPECT_EQ(Label(form, "Label1_7").text(), "y2           =0");
    EXPECT_EQ(Find<QPushButton>(form, "Command1").text(), "Run");
    EXPECT_EQ(Box(form, "Text1_6").accessibleName(), "a2");
    EXPECT_EQ(Find<plot::PictureBox>(form, "Picture1").accessibleName(), "Picture1");
    EXPECT_FALSE(form.lastChain().has_value());
    // Its picture can be saved and copied like a mechanism's.
    std::unique_ptr<QMenu> menu(Find<plot::PictureBox>(form, "Picture1")
                                    .findChild<widgets::PictureMenu*>()
                                    ->makeMenu(nullptr));
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"画像を保存", "クリップボードにコピー"}));
}

TEST(ClosureTest, DefaultsCloseTheChainOnTheLeftOfAB)
{
    testbench::ClosureTest form;
    Click(form);
    const double cx = Shown(form, "Text1_3"), cy = Shown(form, "Text1_4");
    // Both links keep their lengths, and C lies to the left of A->B.
    EXPECT_NEAR(std::hypot(cx, cy), 10, 1e-12);
    EXPECT_NEAR(std::hypot(8 - cx, 2 - cy), 10, 1e-12);
    EXPECT_GT(8 * cy - 2 * cx, 0);
    EXPECT_NEAR(cx, 1.789, 2e-3);
    EXPECT_NEAR(cy, 9.839, 2e-3);
    EXPECT_TRUE(Label(form, "lblMessage").text().isEmpty());

    // The picture box itself got something drawn on it.
    const auto inked = [&form] {
        const QImage& image = Find<plot::PictureBox>(form, "Picture1").image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) != QColor(Qt::white);
        return count;
    };
    EXPECT_GT(inked(), 0);
    // Later clicks draw over it until "消去" clears the picture.
    Find<QPushButton>(form, "Erase").click();
    EXPECT_EQ(inked(), 0);
}

TEST(ClosureTest, DefaultChainIsTwoLinksWithCirclesAtAAndB)
{
    testbench::ClosureTest form;
    Click(form);
    const double cx = Shown(form, "Text1_3"), cy = Shown(form, "Text1_4");
    plot::RecordingCanvas canvas(80, 80);
    const auto chain = *form.lastChain();
    ASSERT_EQ(chain.n, 2);
    testbench::DrawPointChain(canvas, chain.n, chain.x, chain.y, 1);

    // Window x 0..8 (step 1), y 0..10 (step 1); scale min(60 / 8, 68 / 10) = 6.8 mm per unit,
    // world (0, 0) at picture (10, 70).
    const auto at = [](double x, double y) { return plot::PointMm{10 + 6.8 * x, 70 - 6.8 * y}; };
    const auto lines = SolidLines(canvas);
    ASSERT_EQ(lines.size(), 2u);
    const plot::PointMm expected[] = {at(0, 0), at(cx, cy), at(cx, cy), at(8, 2)};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(lines[i].a.x, expected[2 * i].x, 1e-9) << i;
        EXPECT_NEAR(lines[i].a.y, expected[2 * i].y, 1e-9) << i;
        EXPECT_NEAR(lines[i].b.x, expected[2 * i + 1].x, 1e-9) << i;
        EXPECT_NEAR(lines[i].b.y, expected[2 * i + 1].y, 1e-9) << i;
        EXPECT_EQ(lines[i].colour, plot::PaletteColour(1));
        // Both links are 10 units long: 68 mm on the picture.
        EXPECT_NEAR(std::hypot(lines[i].b.x - lines[i].a.x, lines[i].b.y - lines[i].a.y), 68, 1e-9);
    }
    ASSERT_EQ(canvas.circles.size(), 2u);
    EXPECT_NEAR(canvas.circles[0].centre.x, 10, 1e-9);
    EXPECT_NEAR(canvas.circles[0].centre.y, 70, 1e-9);
    EXPECT_NEAR(canvas.circles[1].centre.x, at(8, 2).x, 1e-9);
    EXPECT_NEAR(canvas.circles[1].centre.y, at(8, 2).y, 1e-9);
    for (const auto& c : canvas.circles) {
        EXPECT_EQ(c.radius, 1);
        EXPECT_EQ(c.colour, plot::PaletteColour(1));
    }
    // The grid lies underneath and is dotted.
    EXPECT_GT(canvas.lines.size(), lines.size());
    EXPECT_EQ(canvas.clearCount, 0);
}

TEST(ClosureTest, ChainsWithoutAJointDrawTheSingleLineAB)
{
    struct Row {
        const char* name;
        const char* x2;
        const char* y2;
        plot::PointMm b;   // where B is drawn, mm
        const char* why;   // part of the message line
    };
    const Row rows[] = {
        // Window x 0..25 (step 5), zero height: the width alone sets 60 / 25 mm per unit.
        {"unreachable", "25", "0", {70, 70}, "a1 + a2 = 20 より長い"},
        // A and B coincide: a single point, shown at 1 mm per unit at the view origin.
        {"coincident", "0", "0", {10, 70}, "重なって"},
    };
    for (const Row& r : rows) {
        testbench::ClosureTest form;
        Click(form);   // a previous result that the failure must clear
        TypeB(form, r.x2, r.y2);
        Click(form);
        EXPECT_EQ(Box(form, "Text1_3").text(), "") << r.name;
        EXPECT_EQ(Box(form, "Text1_4").text(), "") << r.name;
        EXPECT_TRUE(Label(form, "lblMessage").text().contains(QString::fromUtf8(r.why)))
            << Label(form, "lblMessage").text().toStdString();

        const auto canvas = Replay(form);
        const auto lines = SolidLines(canvas);
        ASSERT_EQ(lines.size(), 1u) << r.name;
        EXPECT_NEAR(lines[0].a.x, 10, 1e-9) << r.name;
        EXPECT_NEAR(lines[0].a.y, 70, 1e-9) << r.name;
        EXPECT_NEAR(lines[0].b.x, r.b.x, 1e-9) << r.name;
        EXPECT_NEAR(lines[0].b.y, r.b.y, 1e-9) << r.name;
        EXPECT_EQ(canvas.circles.size(), 2u) << r.name;
    }
}

TEST(ClosureTest, LinksTooDifferentToMeetLeaveTheBoxesEmpty)
{
    testbench::ClosureTest form;
    TypeB(form, "2", "0");
    Box(form, "Text1_6").setText("5");   // |AB| = 2 < 10 - 5
    Click(form);
    EXPECT_EQ(Box(form, "Text1_3").text(), "");
    EXPECT_EQ(Box(form, "Text1_4").text(), "");
    EXPECT_TRUE(Label(form, "lblMessage").text().contains("|a1 − a2| = 5 より短い"));
    EXPECT_EQ(form.lastChain()->n, 1);
}

TEST(ClosureTest, ARefusalNamesTheBoxAndEmptiesTheAnswers)
{
    testbench::ClosureTest form;
    Click(form);
    const auto chain = *form.lastChain();
    for (const auto& [box, caption] :
         {std::pair{"Text1_0", "x2"}, std::pair{"Text1_2", "a1"}, std::pair{"Text1_6", "a2"}}) {
        testbench::ClosureTest fresh;
        Click(fresh);
        Box(fresh, box).setText("abc");
        Click(fresh);
        EXPECT_TRUE(Label(fresh, "lblMessage").text().contains(caption)) << caption;
        EXPECT_EQ(Box(fresh, "Text1_3").text(), "") << caption;
        EXPECT_EQ(Box(fresh, "Text1_4").text(), "") << caption;
        EXPECT_EQ(fresh.lastChain()->x, chain.x) << caption;
    }
}

TEST(ClosureTest, ExtremeInputsShowNoInfinityAndDrawFiniteGeometry)
{
    const std::array<std::array<const char*, 4>, 4> inputs{{
        {"1e300", "1e300", "1e300", "1e300"},
        {"1e-300", "0", "1e-300", "1e-300"},
        {"1e308", "-1e308", "1", "1"},
        {"-8", "-2", "10", "10"},
    }};
    for (const auto& in : inputs) {
        testbench::ClosureTest form;
        const char* names[] = {"Text1_0", "Text1_1", "Text1_2", "Text1_6"};
        for (int i = 0; i < 4; ++i)
            Box(form, names[i]).setText(in[i]);
        Click(form);
        for (const char* out : {"Text1_3", "Text1_4"}) {
            const QString shown = Box(form, out).text().toLower();
            EXPECT_FALSE(shown.contains("inf") || shown.contains("nan")) << in[0];
        }
        const auto canvas = Replay(form);
        for (const auto& l : canvas.lines)
            EXPECT_TRUE(std::isfinite(l.a.x + l.a.y + l.b.x + l.b.y)) << in[0];
        for (const auto& c : canvas.circles)
            EXPECT_TRUE(std::isfinite(c.centre.x + c.centre.y)) << in[0];
    }
}

}
