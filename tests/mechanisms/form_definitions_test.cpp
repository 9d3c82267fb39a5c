// What the mechanism forms show and hand the frame: each window's boxes and captions against
// its table, the default world window (which pins the order of the fits), the STOP summary,
// the next pages with their wrap, and the window's Text2 "ok" and next-stops-the-timer
// behaviour.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <set>

#include "mechanism_test_support.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/parallel_mechanism.h"
#include "mechanisms/serial_3r.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "mechanisms/slider_crank.h"
#include "plot/recording_canvas.h"
#include "run/settings.h"
#include "support/temp_dir.h"

namespace {

// Every window shows its registration: beside each caption a box with its default text, an
// unticked check box with its caption for each assembly branch, its graph captions, its form
// name and title; and the command line finds each mechanism by its command.
TEST(FormDefinitions, EachWindowShowsItsRegistrationAndTheCommandLineFindsIt)
{
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->formName);
        EXPECT_EQ(mechanisms::FindMechanism(m->command), m);
        const sim::Settings settings;
        sim::MechanismWindow form(*m, settings);
        EXPECT_EQ(form.objectName().toStdString(), m->formName);
        EXPECT_EQ(form.windowTitle().toStdString(),
                  m->windowTitle.empty() ? m->title : m->windowTitle);
        std::set<std::string> keys;
        for (const sim::InputBox& box : m->inputs) {
            SCOPED_TRACE(box.key);
            EXPECT_TRUE(keys.insert(box.key).second) << "key used twice";
            QLabel* caption = nullptr;
            for (QLabel* label : form.findChildren<QLabel*>())
                if (label->text().toStdString() == box.shownCaption() && label->buddy())
                    caption = label;
            ASSERT_TRUE(caption);
            if (box.kind == sim::InputKind::Branch) {
                const auto* check = qobject_cast<QCheckBox*>(caption->buddy());
                ASSERT_TRUE(check);
                EXPECT_EQ(check->objectName().toStdString(), "Check_" + box.key);
                EXPECT_FALSE(check->isChecked());
                continue;
            }
            const auto* edit = qobject_cast<QLineEdit*>(caption->buddy());
            ASSERT_TRUE(edit);
            EXPECT_EQ(edit->text().toStdString(), box.defaultText);
            EXPECT_EQ(edit->accessibleName().toStdString(), box.shownCaption());
        }
        for (int g = 0; g < 2; ++g)
            EXPECT_EQ(form.findChild<QLabel*>(QString("Label3_%1").arg(g))->text().toStdString(),
                      m->graphCaptions[static_cast<std::size_t>(g)]);
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
        ASSERT_FALSE(sim::RunCycle(frame, RequestOf(row.mechanism, Context(200)),
                                   dir / "result.dat", picture1, picture2, picture3)
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
        const auto kept = RunOf(ComputeWith(row.mechanism, Context(200)));
        for (int index : row.stopPoses)
            kept->DrawMechanism(expected, w, index);
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
    const sim::Settings settings;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mechanism.formName);
        sim::MechanismWindow form(row.mechanism, settings);
        form.setResultPath(dir / "result.dat");
        auto* text2 = form.findChild<QLineEdit*>("Text2");
        form.findChild<QPushButton*>("RUN")->click();
        EXPECT_EQ(text2->text().toStdString(), row.text2AfterRun);
        EXPECT_TRUE(Animating(form));
        form.animationTick();
        EXPECT_EQ(text2->text(), "0");
        form.findChild<QPushButton*>("next")->click();
        EXPECT_EQ(Animating(form), !row.nextStopsTimer);
        // The first page's caption (checked against the design above) replaces "動画".
        EXPECT_EQ(form.findChild<QLabel*>("Label4")->text().toStdString(),
                  form.frame().run()->nextPages().front().caption);
    }
}

}
