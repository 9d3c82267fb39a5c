// What the six later mechanism forms show and hand the frame, against the texts of their
// designs: input captions, defaults and keys, graph captions, the default world window (which
// pins the order of the fits), the STOP summary, the next pages with their wrap, and the
// window's Text2 "ok" and next-stops-the-timer behaviour.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "mechanism_test_support.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/parallel_mechanism.h"
#include "mechanisms/serial_3r.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "mechanisms/slider_crank.h"
#include "plot/recording_canvas.h"
#include "sim/qt/simulation_form.h"
#include "sim/settings.h"
#include "support/temp_dir.h"

namespace {

struct Box {
    int index;
    std::string caption, defaultText, key;
    bool isAngle;
};

struct FormTexts {
    const sim::Mechanism& mechanism;
    std::string command, formName, title;
    std::vector<Box> boxes;
    std::array<std::string, 2> graphCaptions;
};

const std::vector<FormTexts>& Forms()
{
    const std::string joint1 = "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ";
    const std::string joint2Tight = "ｙ：ｔｈｅ2,dthe2,ddthe2　ｘ：ｔｉｍｅ";
    const std::string crank = "ｙ：ｔｈｅ,  dthe  ,ddthe 　ｘ：ｔｉｍｅ";
    static const std::vector<FormTexts> forms{
        {mechanisms::Serial3R(),
         "3r",
         "Form3rjun",
         "直列３R順運動学",
         {{0, "L1", "40", "L1", false},
          {1, "L2", "20", "L2", false},
          {2, "L3", "10", "L3", false},
          {3, "the1s", "0", "the1s", true},
          {4, "the1f", "180", "the1f", true},
          {5, "the2s", "-60", "the2s", true},
          {6, "the2f", "60", "the2f", true},
          {7, "the3s", "-60", "the3s", true},
          {8, "the3f", "60", "the3f", true}},
         {joint1, "ｙ：ｔｈｅ2, dthe2 ,ddthe2　ｘ：ｔｉｍｅ"}},
        {mechanisms::Serial3RLine(),
         "3r-line",
         "Form3rchoku",
         "直列３R直線補間",
         {{0, "L1", "40", "L1", false},
          {1, "L2", "40", "L2", false},
          {2, "L3", "30", "L3", false},
          {3, "x5_s", "0", "x5_s", false},
          {4, "x5_f", "100", "x5_f", false},
          {5, "y5_s", "100", "y5_s", false},
          {6, "y5_f", "0", "y5_f", false},
          {7, "phi_s", "90", "phi_s", true},
          {8, "phi_f", "0", "phi_f", true}},
         {joint1, joint2Tight}},
        {mechanisms::Serial3RArc(),
         "3r-arc",
         "Form3renn",
         "直列３R円弧補間",
         {{0, "L1", "40", "L1", false},
          {1, "L2", "40", "L2", false},
          {2, "L3", "30", "L3", false},
          {3, "中心位置ｘc", "0", "xc", false},
          {4, "中心位置ｙc", "50", "yc", false},
          {5, "円半径 rc", "20", "rc", false},
          {6, "手首角phi", "20", "phi", true},
          {7, "the_s", "0", "the_s", true},
          {8, "the_f", "360", "the_f", true}},
         {joint1, joint2Tight}},
        {mechanisms::FourBar(),
         "four-bar",
         "Form4link",
         "４リンク機構",
         {{0, "gsi", "0", "gsi", false},
          {1, "eta", "0.1", "eta", false},
          {3, "L1", "0.3", "L1", false},
          {4, "L2", "0.4", "L2", false},
          {5, "L3", "0.6", "L3", false},
          {6, "L4", "0.68", "L4", false}},
         {crank, "ｙ：phi,  dphi , ddphi　ｘ：ｔｉｍｅ"}},
        {mechanisms::SliderCrank(),
         "slider",
         "Formslider",
         "クランク＆ピストン機構",
         {{0, "回転中心X", "1", "x0", false},
          {1, "回転中心Y", "3", "y0", false},
          {2, "半径", "10", "r", false},
          {3, "リンク長さ", "２０", "L", false},
          {4, "X1", "1", "X1", false},
          {5, "Y1", "0", "Y1", false},
          {6, "傾き角", "20", "phi", true}},
         {crank, "ｙ：x3,  dx3 , ddx3　ｘ：ｔｉｍｅ"}},
        {mechanisms::ParallelMechanism(),
         "parallel",
         "Formparallel",
         "パラレル機構",
         {{0, "L1", "28", "L1", false},
          {1, "L2", "28", "L2", false},
          {2, "", "1", "", false},   // not read
          {3, "中心位置ｘc", "0", "xc", false},
          {4, "中心位置ｙc", "0", "yc", false},
          {5, "円半径 rc", "20", "rc", false},
          {6, "傾き角phi", "-30", "phi", true},
          {7, "Rm", "20", "Rm", false},
          {8, "Rf", "50", "Rf", false}},
         {joint1, joint2Tight}},
    };
    return forms;
}

TEST(FormDefinitions, InputsAndCaptionsAreTheDesignsTexts)
{
    for (const FormTexts& f : Forms()) {
        const sim::Mechanism& m = f.mechanism;
        SCOPED_TRACE(f.formName);
        EXPECT_EQ(m.command, f.command);
        EXPECT_EQ(m.formName, f.formName);
        EXPECT_EQ(m.title, f.title);
        EXPECT_EQ(m.graphCaptions, f.graphCaptions);
        ASSERT_EQ(m.inputs.size(), f.boxes.size());
        for (std::size_t j = 0; j < f.boxes.size(); ++j) {
            const Box& want = f.boxes[j];
            const sim::InputBox& box = m.inputs[j];
            SCOPED_TRACE(want.index);
            EXPECT_EQ(box.index, want.index);
            EXPECT_EQ(box.caption, want.caption);
            EXPECT_EQ(box.defaultText, want.defaultText);
            EXPECT_EQ(box.key, want.key);
            EXPECT_EQ(box.isAngle, want.isAngle);
        }

        // The window shows the same texts.
        sim::SimulationForm form(m);
        for (const Box& want : f.boxes) {
            if (want.key.empty())
                continue;
            const QString i = QString::number(want.index);
            const auto* label = form.findChild<QLabel*>("Label1_" + i);
            const auto* edit = form.findChild<QLineEdit*>("Text1_" + i);
            ASSERT_TRUE(label && edit) << want.index;
            EXPECT_EQ(label->text().toStdString(), want.caption);
            EXPECT_EQ(edit->text().toStdString(), want.defaultText);
        }
        for (int g = 0; g < 2; ++g)
            EXPECT_EQ(form.findChild<QLabel*>(QString("Label3_%1").arg(g))->text().toStdString(),
                      f.graphCaptions[static_cast<std::size_t>(g)]);
    }
}

// What RUN, STOP and next show for the default inputs, N = 200, T = 10, quintic profile.
struct FrameRow {
    const sim::Mechanism& mechanism;
    plot::WorldWindow window;   // xmin, xmax, ymin, ymax, xstep, ystep after the fits
    std::vector<int> stopPoses;
    bool tracesPath;
    std::vector<std::string> pages;
};

std::vector<int> Every(int first, int step, int last)
{
    std::vector<int> v;
    for (int k = first; k <= last; k += step)
        v.push_back(k);
    return v;
}

// Fit order matters for these windows: the 3R arm fitted elbow-first would get y in [-30, 70]
// with ystep 10, the crank-and-piston pin-first y in [-10, 15] with ystep 5, and the four-bar
// with the pivot O before the crank tip y in [-0.3, 0.7] with step 0.1.
TEST(FormDefinitions, DefaultRunFitsTheWindowAndStopAndNextShowTheFormsChoice)
{
    const std::vector<std::string> jointPages{"the1 dthe1 ddthe1", "the2 dthe2 ddthe2",
                                              "the3 dthe3 ddthe3"};
    const std::vector<FrameRow> rows{
        {mechanisms::Serial3R(),
         {-80, 80, -40, 80, 20, 20, 0},
         Every(0, 10, 200),
         true,
         {"x   dx   ddx", "y   dy   ddy"}},
        {mechanisms::Serial3RLine(),
         {-40, 100, 0, 100, 20, 20, 0},
         Every(0, 10, 200),
         true,
         jointPages},
        {mechanisms::Serial3RArc(),
         {-50, 20, -20, 70, 10, 10, 0},
         Every(0, 10, 200),
         true,
         jointPages},
        {mechanisms::FourBar(),
         {0, 1, -0.4, 0.8, 0.2, 0.2, 0},
         {50},
         true,
         {"x   dx   ddx", "y   dy   ddy"}},
        {mechanisms::SliderCrank(),
         {-10, 35, -8, 14, 5, 2, 0},
         Every(1, 10, 191),
         false,
         {"x2   dx2   ddx2", "y2   dy2   ddy2", "x3   dx3   ddx3", "y3   dy3   ddy3"}},
        {mechanisms::ParallelMechanism(),
         {-50, 50, -30, 50, 10, 10, 0},
         {25},
         true,
         {"x10  dx10  ddx10", "y10  dy10  ddy10", "x7   dx7   ddx7", "y7   dy7   ddy7"}},
    };
    TempDir dir;
    for (const FrameRow& row : rows) {
        SCOPED_TRACE(row.mechanism.formName);
        plot::RecordingCanvas picture1(73, 60), picture2(72, 60), picture3(145, 112);
        sim::SimulationFrame frame(row.mechanism);
        ASSERT_FALSE(frame
                         .runCycle(DefaultTexts(row.mechanism),
                                   {200, 10, sim::ProfileKind::Quintic}, dir / "result.dat",
                                   picture1, picture2, picture3)
                         .has_value());
        const plot::WorldWindow& w = frame.window();
        EXPECT_NEAR(w.xmin, row.window.xmin, 1e-12);
        EXPECT_NEAR(w.xmax, row.window.xmax, 1e-12);
        EXPECT_NEAR(w.ymin, row.window.ymin, 1e-12);
        EXPECT_NEAR(w.ymax, row.window.ymax, 1e-12);
        EXPECT_NEAR(w.xstep, row.window.xstep, 1e-12);
        EXPECT_NEAR(w.ystep, row.window.ystep, 1e-12);

        // STOP: exactly the listed poses (links at pen width 2), then the path or none.
        frame.stop(picture3);
        plot::RecordingCanvas expected(145, 112);
        for (int index : row.stopPoses)
            frame.run()->DrawMechanism(expected, w, index);
        std::vector<plot::RecordedLine> links, path;
        for (const plot::RecordedLine& l : picture3.lines) {
            if (l.penWidth == 2)
                links.push_back(l);
            else if (l.style == plot::PenStyle::Solid)
                path.push_back(l);
        }
        ASSERT_EQ(links.size(), expected.lines.size());
        for (std::size_t j = 0; j < links.size(); ++j) {
            EXPECT_EQ(links[j].a.x, expected.lines[j].a.x) << j;
            EXPECT_EQ(links[j].b.y, expected.lines[j].b.y) << j;
        }
        EXPECT_EQ(picture3.circles.size(), expected.circles.size());
        EXPECT_EQ(path.size(), row.tracesPath ? 200u : 0u);
        for (const plot::RecordedLine& l : path)
            EXPECT_EQ(l.colour, plot::PaletteColour(1));

        // next: the pages in order, then one click that draws nothing, then the first again.
        for (const std::string& caption : row.pages)
            EXPECT_EQ(frame.next(picture3), std::optional<std::string>(caption));
        const std::size_t linesOfLastPage = picture3.lines.size();
        EXPECT_EQ(frame.next(picture3), std::nullopt);
        EXPECT_EQ(picture3.lines.size(), linesOfLastPage);
        EXPECT_EQ(frame.graphPage(), 0);
        EXPECT_EQ(frame.next(picture3), std::optional<std::string>(row.pages.front()));
    }
}

// The crank-and-piston and the four-bar put "ok" into Text2 when a run is computed; only the
// crank-and-piston's next stops the animation.
TEST(FormDefinitions, WindowShowsOkAndStopsTheTimerOnNextWhereTheFormDoes)
{
    struct Row {
        const sim::Mechanism& mechanism;
        const char* text2AfterRun;
        bool nextStopsTimer;
    };
    const Row rows[] = {
        {mechanisms::Serial3R(), "", false},     {mechanisms::Serial3RLine(), "", false},
        {mechanisms::Serial3RArc(), "", false},  {mechanisms::FourBar(), "ok", false},
        {mechanisms::SliderCrank(), "ok", true}, {mechanisms::ParallelMechanism(), "", false}};
    TempDir dir;
    sim::Settings() = {};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mechanism.formName);
        sim::SimulationForm form(row.mechanism);
        form.setResultPath(dir / "result.dat");
        auto* text2 = form.findChild<QLineEdit*>("Text2");
        form.findChild<QPushButton*>("RUN")->click();
        EXPECT_EQ(text2->text().toStdString(), row.text2AfterRun);
        EXPECT_TRUE(form.isAnimating());
        form.Timer1_Timer();
        EXPECT_EQ(text2->text(), "0");
        form.findChild<QPushButton*>("next")->click();
        EXPECT_EQ(form.isAnimating(), !row.nextStopsTimer);
        // The first page's caption (checked against the design above) replaces "動画".
        EXPECT_EQ(form.findChild<QLabel*>("Label4")->text().toStdString(),
                  form.frame().run()->nextPages().front().caption);
    }
}

}
