// The mechanism window on the offscreen platform: controls, RUN/STOP/next and the timer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanism_window/run_export.h"
#include "mechanisms/catalog.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/serial_2r.h"
#include "plot/qt/picture_box.h"
#include "plot/recording_canvas.h"
#include "run/settings.h"
#include "support/input_boxes.h"
#include "support/temp_dir.h"
#include "widgets/picture_menu.h"

namespace {

struct FormFixture : ::testing::Test {
    TempDir dir;
    sim::Settings settings;
    sim::MechanismWindow* form = nullptr;

    void SetUp() override
    {
        form = new sim::MechanismWindow(mechanisms::Serial2R(), settings);
        form->setResultPath(dir / "result.dat");
    }
    void TearDown() override { delete form; }
    template <typename T> T* child(const char* name) { return form->findChild<T*>(name); }
    QString text2() { return child<QLineEdit>("Text2")->text(); }
};

TEST_F(FormFixture, HasTheReferenceControlsWithTheirDesignTimeTexts)
{
    EXPECT_EQ(form->objectName(), "Form2rjun");
    EXPECT_EQ(form->windowTitle(), " ");
    EXPECT_EQ(child<QPushButton>("RUN")->text(), "run");
    EXPECT_EQ(child<QPushButton>("STOP")->text(), "stop");
    EXPECT_EQ(child<QPushButton>("next")->text(), "next");
    EXPECT_EQ(InputBoxOf(*form, "L1")->text(), "20");
    EXPECT_EQ(InputBoxOf(*form, "the1f")->text(), "180");
    EXPECT_EQ(InputBoxOf(*form, "the2s")->text(), "-90");
    EXPECT_EQ(child<QLabel>("Label1_3")->text(), "the1s");
    EXPECT_EQ(child<QLabel>("Label3_0")->text(), "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ");
    EXPECT_EQ(child<QLabel>("Label4")->text(), "動画");
    EXPECT_EQ(child<QLabel>("Label2_2")->text(), "等速曲線");
    EXPECT_TRUE(child<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(child<QTimer>("Timer1")->interval(), 50);
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    // Every box, button and picture can be found by what the user sees.
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w)
            || qobject_cast<plot::PictureBox*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST_F(FormFixture, RunAnimatesAndStopFreezes)
{
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(Animating(*form));
    EXPECT_TRUE(std::filesystem::exists(dir / "result.dat"));
    form->animationTick();
    EXPECT_EQ(text2(), "0");
    form->animationTick();
    EXPECT_EQ(text2(), "1");
    child<QPushButton>("STOP")->click();
    EXPECT_FALSE(Animating(*form));
}

TEST_F(FormFixture, ARunKeepsTheDivisionsInForceAtItsRun)
{
    settings.divisions = 4;
    child<QPushButton>("RUN")->click();
    settings.divisions = 1000;
    int highest = 0;
    for (int t = 0; t < 20; ++t) {
        form->animationTick();
        highest = std::max(highest, text2().toInt());
    }
    EXPECT_EQ(highest, 4);
    child<QPushButton>("STOP")->click();   // poses of N = 4, no index past the series
    child<QPushButton>("next")->click();
    EXPECT_EQ(child<QLabel>("Label4")->text(), "x   dx   ddx");
}

TEST_F(FormFixture, NextDuringTheAnimationKeepsTheTimerAndThePageCaption)
{
    child<QPushButton>("RUN")->click();
    child<QPushButton>("next")->click();
    EXPECT_TRUE(Animating(*form));
    EXPECT_EQ(child<QLabel>("Label4")->text(), "x   dx   ddx");
    form->animationTick();
    EXPECT_EQ(child<QLabel>("Label4")->text(), "x   dx   ddx");
}

TEST_F(FormFixture, ARefusedRunNamesTheBoxAndKeepsTheAnimationGoing)
{
    child<QPushButton>("RUN")->click();
    const std::string before = ReadFileBytes(dir / "result.dat");
    InputBoxOf(*form, "L2")->setText("1O");   // letter O typed for a zero
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(child<QLabel>("lblMessage")->text().contains("L2"));
    EXPECT_TRUE(Animating(*form));
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), before);
    InputBoxOf(*form, "L2")->setText("10");
    child<QPushButton>("RUN")->click();
    EXPECT_FALSE(child<QLabel>("lblMessage")->text().contains("L2"));
}

TEST_F(FormFixture, AGoodRunNamesTheFullPathOfTheFileItWrote)
{
    std::filesystem::create_directory(dir / "sub");
    form->setResultPath(dir / "sub" / ".." / "result.dat");
    child<QPushButton>("RUN")->click();
    const QString message = child<QLabel>("lblMessage")->text();
    const QString written = QString::fromStdString((dir / "result.dat").string());
    EXPECT_TRUE(message.contains(" " + written + " ")) << message.toStdString();
    EXPECT_FALSE(ReadFileBytes(dir / "result.dat").empty());
}

// The captions of a picture's menu, and whether each entry can be chosen now.
std::vector<std::pair<QString, bool>> MenuEntries(plot::PictureBox* picture)
{
    std::unique_ptr<QMenu> menu(picture->findChild<widgets::PictureMenu*>()->makeMenu(nullptr));
    std::vector<std::pair<QString, bool>> entries;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            entries.emplace_back(action->text(), action->isEnabled());
    return entries;
}

TEST_F(FormFixture, EveryPictureOffersItsMenuAndTheTableComesAsTheResultFile)
{
    for (const char* name : {"Picture1", "Picture2", "Picture3"}) {
        SCOPED_TRACE(name);
        const auto before = MenuEntries(child<plot::PictureBox>(name));
        const std::vector<std::pair<QString, bool>> expected{{"画像を保存", true},
                                                             {"クリップボードにコピー", true},
                                                             {"表をコピー", false},
                                                             {"レポートを保存", false},
                                                             {"アニメーションを保存", false},
                                                             {"設定を保存…", true}};
        EXPECT_EQ(before, expected);
    }
    child<QPushButton>("RUN")->click();
    for (const auto& [caption, enabled] : MenuEntries(child<plot::PictureBox>("Picture3")))
        EXPECT_TRUE(enabled) << caption.toStdString();

    // From the menu and from beside the current values alike.
    const std::string table = ReadFileBytes(dir / "result.dat");
    std::unique_ptr<QMenu> menu(
        child<plot::PictureBox>("Picture1")->findChild<widgets::PictureMenu*>()->makeMenu(nullptr));
    for (QAction* action : menu->actions())
        if (action->text() == "表をコピー")
            action->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), table);
    QGuiApplication::clipboard()->clear();
    child<QPushButton>("CopyTable")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), table);
    // A long run's table is built aside, block by block, into the same bytes.
    settings.divisions = 40000;
    for (const char* button : {"RUN", "CopyTable"}) {
        child<QPushButton>(button)->click();
        EXPECT_TRUE(form->isComputing()) << button;
        while (form->isComputing())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              ReadFileBytes(dir / "result.dat"));

    // The graphs a RUN hands over keep their vectors for an SVG.
    EXPECT_TRUE(child<plot::PictureBox>("Picture1")->vectors()->svg().contains("<polyline"));
    child<QTimer>("Timer1")->stop();
}

TEST_F(FormFixture, StopAndNextBeforeAnyRunAreIgnored)
{
    child<QPushButton>("STOP")->click();
    child<QPushButton>("next")->click();
    EXPECT_EQ(child<QLabel>("Label4")->text(), "動画");
    EXPECT_FALSE(form->frame().hasRun());
}

TEST_F(FormFixture, TwoWindowsAnimateIndependently)
{
    sim::MechanismWindow other(mechanisms::Serial2R(), settings);
    other.setResultPath(dir / "result.dat");
    form->startRun();
    for (int t = 0; t < 3; ++t)
        form->animationTick();
    other.startRun();
    other.animationTick();
    EXPECT_EQ(form->frame().currentStep(), 2);
    EXPECT_EQ(other.frame().currentStep(), 0);
}

// Form2rjun's design in twips (15 to a pixel): left, top, width, height (0 where not given).
TEST_F(FormFixture, ControlsStandWhereTheDesignPutsThem)
{
    struct Row {
        const char* name;
        int left, top, width, height;
    } rows[] = {
        {"RUN", 120, 363, 1080, 585},        {"STOP", 120, 1089, 1080, 585},
        {"Text1_0", 840, 2640, 495, 495},    {"Text1_1", 840, 3240, 495, 495},
        {"Text1_3", 840, 4440, 495, 495},    {"Text1_6", 840, 6240, 495, 495},
        {"Label1_0", 120, 0, 615, 0},        {"Label1_5", 120, 0, 615, 0},
        {"Option1_0", 960, 7080, 255, 255},  {"Option1_2", 960, 8040, 255, 255},
        {"Label2_1", 120, 0, 855, 0},        {"Picture1", 1573, 484, 4152, 3420},
        {"Picture2", 5687, 484, 4092, 3420}, {"Picture3", 1560, 4411, 8232, 6336},
        {"next", 2904, 3993, 737, 374},      {"Text2", 2178, 3872, 495, 495},
        {"Label4", 4356, 3993, 0, 0},        {"Label3_0", 2035, 0, 0, 0},
        {"Label3_1", 6358, 0, 0, 0},
    };
    auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    // The input boxes are wider than the design's (eight characters); what stands right of
    // them moves right by as much. The step box is wider too (seven digits), and what stands
    // right of it on its row moves right by that as well.
    const int wider = child<QWidget>("Text1_0")->width() - px(495);
    EXPECT_GE(wider, 0);
    const int stepWider = child<QWidget>("Text2")->width() - px(495);
    EXPECT_GE(stepWider, 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* w = child<QWidget>(row.name);
        ASSERT_NE(w, nullptr);
        QRect g = w->geometry();
        const QString name(row.name);
        if (name.startsWith("Text1_"))
            g.setWidth(g.width() - wider);
        else if (name == "Text2")
            g = QRect(g.left() - wider, g.top(), g.width() - stepWider, g.height());
        else if (name == "next" || name == "Label4")
            g.translate(-wider - stepWider, 0);
        else if (row.left >= 1560)
            g.translate(-wider, 0);
        EXPECT_NEAR(g.left(), px(row.left), 1);
        if (row.top || row.height) {
            EXPECT_NEAR(g.top(), px(row.top), 1);
        }
        if (row.width) {
            EXPECT_NEAR(g.width(), px(row.width), 1);
        }
        if (row.height) {
            EXPECT_NEAR(g.height(), px(row.height), 1);
        }
    }
    // Each caption on its box's row; the unread box 2 is left out and leaves its row empty.
    EXPECT_EQ(child<QLabel>("Label1_5")->geometry().top(), child<QLineEdit>("Text1_5")->y());
    EXPECT_EQ(child<QLineEdit>("Text1_2"), nullptr);
    // The frames of Picture1 and Picture2 may touch, but neither hides the other's drawing.
    const QWidget* p1 = child<QWidget>("Picture1");
    const QWidget* p2 = child<QWidget>("Picture2");
    EXPECT_GE(p2->geometry().left(),
              p1->mapTo(p1->parentWidget(), p1->contentsRect().topRight()).x() + 1);
}

TEST(FormLayout, LongCaptionsWidenTheInputColumnWithoutOverlaps)
{
    const sim::Settings settings;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->formName);
        sim::MechanismWindow form(*m, settings);
        const QRect picture1 = form.findChild<QWidget*>("Picture1")->geometry();
        const QRect picture3 = form.findChild<QWidget*>("Picture3")->geometry();
        int lastRowBottom = 0;
        for (QLabel* label : form.findChildren<QLabel*>(QRegularExpression("^Label1_"))) {
            SCOPED_TRACE(label->text().toStdString());
            const QWidget* box = label->buddy();
            ASSERT_NE(box, nullptr);
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            EXPECT_GE(box->x(), label->geometry().right() + 1);
            EXPECT_LT(box->geometry().right(), picture1.left());
            EXPECT_LT(box->geometry().right(), picture3.left());
            lastRowBottom = std::max(lastRowBottom, box->geometry().bottom());
        }
        EXPECT_GT(form.findChild<QWidget*>("Option1_0")->y(), lastRowBottom);
        EXPECT_TRUE(form.rect().contains(picture3));
        // The graph captions show whole, inside the window, clear of the second legend.
        for (const char* name : {"Label3_0", "Label3_1"}) {
            const QLabel* caption = form.findChild<QLabel*>(name);
            EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width())
                << name;
            EXPECT_TRUE(form.rect().contains(caption->geometry())) << name;
        }
        EXPECT_LT(form.findChild<QLabel*>("Label3_0")->geometry().right(),
                  form.findChild<QWidget*>("Line2_3")->x());
    }
}

// Whether a shown box, given `text`, still shows its first character with the cursor at its end.
bool ShowsWhole(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setCursorPosition(text.size());
    box->grab();   // painting scrolls the text when its end does not fit
    const QPoint left = box->contentsRect().topLeft() + QPoint(3, box->height() / 2);
    return box->cursorPositionAt(left) == 0;
}

// Boxes 33 pixels wide hid the start of a number: "-45.75" showed as "45.75".
TEST(FormLayout, InputBoxesShowEightCharactersWhole)
{
    const sim::Settings settings;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        sim::MechanismWindow form(*m, settings);
        form.show();
        for (QLineEdit* box : form.findChildren<QLineEdit*>(QRegularExpression("^Text1_"))) {
            for (const QString text : {"-45.7500", "1.25e-07", "30.12500", "-8888888"}) {
                SCOPED_TRACE(box->objectName().toStdString() + " " + text.toStdString());
                EXPECT_TRUE(ShowsWhole(box, text));
            }
        }
    }
}

// The step box was three digits wide: at N = 1000000 it cut the step's leading digits.
TEST(FormLayout, TheStepBoxShowsTheLargestStepWholeBesideItsNeighbours)
{
    const sim::Settings settings;
    const QString largest = QString::number(sim::kMaxDivisions);
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->formName);
        sim::MechanismWindow form(*m, settings);
        form.show();
        auto* box = form.findChild<QLineEdit*>("Text2");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(ShowsWhole(box, largest));
        EXPECT_LE(box->fontMetrics().horizontalAdvance(largest), box->contentsRect().width());
        // The next button and the page caption stay right of it on its row, whole and apart.
        const QRect next = form.findChild<QWidget*>("next")->geometry();
        const QRect caption = form.findChild<QWidget*>("Label4")->geometry();
        EXPECT_GT(next.left(), box->geometry().right());
        EXPECT_GT(caption.left(), next.right());
        EXPECT_TRUE(form.rect().contains(caption));
        // They stay clear of the pictures above and below their row.
        for (const char* picture : {"Picture1", "Picture2", "Picture3"})
            for (const QRect& control : {next, caption})
                EXPECT_FALSE(control.intersects(form.findChild<QWidget*>(picture)->geometry()))
                    << picture;
    }
}

// A fixed-size window did not fit small screens; an enlarged one now draws larger pictures.
TEST_F(FormFixture, ResizingRedrawsThePicturesAtTheNewSize)
{
    form->show();
    const QSize available = form->screen()->availableGeometry().size();
    EXPECT_LE(form->width(), available.width());
    EXPECT_LE(form->height(), available.height());

    auto* graph = child<plot::PictureBox>("Picture1");
    auto* view = child<plot::PictureBox>("Picture3");
    const QSize graphBefore = graph->logicalSize(), viewBefore = view->logicalSize();
    child<QPushButton>("RUN")->click();
    child<QPushButton>("STOP")->click();
    const double scaleBefore = form->frame().window().scale;

    form->resize(1200, 1300);
    QCoreApplication::processEvents();
    EXPECT_GT(graph->logicalSize().width(), graphBefore.width());
    EXPECT_GT(view->logicalSize().width(), viewBefore.width());
    EXPECT_GT(view->logicalSize().height(), viewBefore.height());
    // Drawn again, not stretched: the image has the new size, the acceleration axis stands
    // 10 mm left of the new right edge, and the world window is scaled to the larger view.
    const QImage image = graph->image();
    EXPECT_EQ(image.size(), graph->logicalSize() * image.devicePixelRatio());
    const double pxPerMm = graph->logicalSize().width() / graph->widthMm();
    const int axis = static_cast<int>(std::lround((graph->widthMm() - 10) * pxPerMm));
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        red += image.pixelColor(axis, y) == QColor(128, 0, 0) ? 1 : 0;
    EXPECT_GT(red, image.height() / 2);
    const plot::WorldWindow& w = form->frame().window();
    const double fitted = std::min((view->widthMm() - 20) / (w.xmax - w.xmin),
                                   (view->heightMm() - 12) / (w.ymax - w.ymin));
    EXPECT_NEAR(w.scale, fitted, 1e-9 * fitted);
    EXPECT_GT(w.scale, scaleBefore);
}

// Pressing RUN during an animation starts again at pose 0 with the new inputs.
TEST_F(FormFixture, RunDuringTheAnimationRestartsAtPoseZero)
{
    child<QPushButton>("RUN")->click();
    for (int t = 0; t < 5; ++t)
        form->animationTick();
    const double xmaxBefore = form->frame().window().xmax;
    InputBoxOf(*form, "L1")->setText("40");
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(Animating(*form));
    EXPECT_EQ(form->frame().currentStep(), 0);
    EXPECT_GT(form->frame().window().xmax, xmaxBefore);   // refitted to the longer arm
    form->animationTick();
    EXPECT_EQ(text2(), "0");
}

TEST(FormLifetime, ClosingTheWindowStopsItsTimerAndFreesIt)
{
    TempDir dir;
    const sim::Settings settings;
    QPointer<sim::MechanismWindow> form =
        new sim::MechanismWindow(mechanisms::Serial2R(), settings);
    form->setResultPath(dir / "result.dat");
    form->show();
    form->startRun();
    const QPointer<QTimer> timer = form->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer->isActive());
    form->close();
    EXPECT_FALSE(timer->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

}

namespace {

// The four-bar window: its assembly box reaches the run, RUN's message carries the run's
// findings, and the guide box reaches the frame's drawing options.
TEST(SimulationFormChoices, AssemblyBoxReachesTheRunAndGuidesReachTheView)
{
    TempDir dir;
    const sim::Settings settings;
    sim::MechanismWindow form(mechanisms::FourBar(), settings);
    form.setResultPath(dir / "result.dat");
    auto* crossed = InputBoxOf<QCheckBox>(form, "branch");
    auto* guides = form.findChild<QCheckBox*>("CheckGuides");
    ASSERT_TRUE(crossed && guides);
    form.startRun();
    // phi at step 0, from the values row (sec, theta, phi, ...), the current step after a run.
    const auto phiAtStart = [&form] { return std::stod(form.frame().currentValues()->values[2]); };
    const double openPhi = phiAtStart();
    const QString message = form.findChild<QLabel*>("lblMessage")->text();
    EXPECT_TRUE(message.contains("てこクランク機構")) << message.toStdString();
    crossed->setChecked(true);
    form.startRun();
    // The crossed rocker tip mirrors the open one across O->B, here the x axis at step 0.
    EXPECT_NEAR(phiAtStart(), -openPhi, 1e-12);

    EXPECT_FALSE(form.frame().drawingOptions().guides);
    guides->setChecked(true);
    EXPECT_TRUE(form.frame().drawingOptions().guides);
}

// Every window offers the two arrow boxes beside "補助線", unticked, each saying what it draws;
// ticked they reach the frame's drawing options with the interface's translator.
TEST(SimulationFormChoices, ArrowBoxesReachTheView)
{
    const sim::Settings settings;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        sim::MechanismWindow form(*m, settings);
        auto* guides = form.findChild<QCheckBox*>("CheckGuides");
        auto* velocity = form.findChild<QCheckBox*>("CheckVelocity");
        auto* acceleration = form.findChild<QCheckBox*>("CheckAcceleration");
        ASSERT_TRUE(guides && velocity && acceleration);
        EXPECT_TRUE(velocity->toolTip().contains("速度"));
        EXPECT_TRUE(acceleration->toolTip().contains("加速度"));
        // One row under another, in the same column as the guide box.
        EXPECT_EQ(velocity->x(), guides->x());
        EXPECT_GT(velocity->y(), guides->y());
        EXPECT_GT(acceleration->y(), velocity->y());
        EXPECT_FALSE(form.frame().drawingOptions().velocities);
        EXPECT_FALSE(form.frame().drawingOptions().accelerations);
        velocity->setChecked(true);
        EXPECT_TRUE(form.frame().drawingOptions().velocities);
        EXPECT_FALSE(form.frame().drawingOptions().accelerations);
        EXPECT_TRUE(form.frame().drawingOptions().translate);
        acceleration->setChecked(true);
        velocity->setChecked(false);
        EXPECT_FALSE(form.frame().drawingOptions().velocities);
        EXPECT_TRUE(form.frame().drawingOptions().accelerations);
    }
}

// Every window offers "瞬間中心" under the arrow boxes, unticked, saying what it draws; ticked
// it reaches the frame's drawing options and leaves the other options as they were.
TEST(SimulationFormChoices, CentresBoxReachesTheView)
{
    const sim::Settings settings;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        sim::MechanismWindow form(*m, settings);
        auto* acceleration = form.findChild<QCheckBox*>("CheckAcceleration");
        auto* centres = form.findChild<QCheckBox*>("CheckCentres");
        ASSERT_TRUE(acceleration && centres);
        EXPECT_TRUE(centres->toolTip().contains("瞬間中心"));
        EXPECT_EQ(centres->x(), acceleration->x());
        EXPECT_GT(centres->y(), acceleration->y());
        EXPECT_FALSE(form.frame().drawingOptions().centres);
        centres->setChecked(true);
        const sim::DrawingOptions ticked = form.frame().drawingOptions();
        EXPECT_TRUE(ticked.centres);
        EXPECT_FALSE(ticked.velocities || ticked.accelerations || ticked.guides);
        centres->setChecked(false);
        EXPECT_FALSE(form.frame().drawingOptions().centres);
    }
}

// The report lists each input as it was given: a box's text as typed, an assembly as ticked or
// not, whether it came from the check box or from the command line's 1 / -1.
TEST(SimulationFormChoices, ReportSaysWhatEachInputWasGiven)
{
    TempDir dir;
    const sim::Mechanism& m = mechanisms::FourBar();
    auto factOf = [](const sim::SimulationFrame& frame, const QString& caption) {
        for (const auto& [name, value] : sim::RunReportFacts(frame))
            if (name == caption)
                return value;
        return QString("(none)");
    };
    const QString assembly = QString::fromStdString(sim::kOtherAssemblyCaption);
    const sim::Settings settings;
    sim::MechanismWindow form(m, settings);
    form.setResultPath(dir / "result.dat");
    EXPECT_TRUE(sim::RunReportFacts(form.frame()).empty());
    InputBoxOf(form, "L4")->setText("０.７");
    InputBoxOf<QCheckBox>(form, "branch")->setChecked(true);
    form.startRun();
    EXPECT_EQ(factOf(form.frame(), "L4"), "０.７");
    EXPECT_EQ(factOf(form.frame(), "L1"), "0.3");
    EXPECT_EQ(factOf(form.frame(), assembly), "はい");

    plot::RecordingCanvas p1(73, 60), p2(72, 60), view(145, 112);
    for (const auto& [given, shown] : {std::pair{"-1", "はい"}, std::pair{"1", "いいえ"}}) {
        sim::SimulationFrame frame(m);
        ASSERT_FALSE(sim::RunCycle(frame, RequestOf(m, Context(20), {{"branch", given}}),
                                   dir / "result.dat", p1, p2, view));
        EXPECT_EQ(factOf(frame, assembly), shown);
    }
}

}

namespace {

// The 2R arm, whose steps run out of memory while `starved` is set.
struct StarvedArm {
    bool starved = false;
    sim::Mechanism mechanism = mechanisms::Serial2R();

    StarvedArm()
    {
        mechanism.ComputeMotion = [this, compute = mechanism.ComputeMotion](
                                      const sim::InputValues& values, const sim::StepLoop& loop) {
            if (starved)
                throw std::bad_alloc();
            return compute(values, loop);
        };
    }
};

TEST(RunMemory, RunningOutOfMemoryInTheStepsAbortedTheProgram)
{
    TempDir dir;
    StarvedArm arm;
    arm.starved = true;
    const sim::RunRequest request = RequestOf(arm.mechanism, Context(200));
    const plot::RecordingCanvas view(100, 100);
    const auto computed = sim::ComputeRun(request, dir / "computed.dat", view);
    ASSERT_FALSE(computed);
    EXPECT_EQ(computed.error().kind, sim::Refusal::Kind::Memory);
    const std::optional<sim::Refusal> streamed = sim::StreamRun(request, dir / "streamed.dat");
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->kind, sim::Refusal::Kind::Memory);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));

    // A window keeps its previous run and says why, on its own thread and on the worker's.
    sim::Settings settings;
    sim::MechanismWindow form(arm.mechanism, settings);
    form.setResultPath(dir / "result.dat");
    arm.starved = false;
    form.startRun();
    const std::string before = ReadFileBytes(dir / "result.dat");
    arm.starved = true;
    for (const int divisions : {200, 50000}) {
        settings.divisions = divisions;
        form.startRun();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (form.isComputing() && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(form.isComputing());
        EXPECT_TRUE(form.findChild<QLabel*>("lblMessage")->text().contains("メモリが足りません"))
            << form.findChild<QLabel*>("lblMessage")->text().toStdString();
        EXPECT_TRUE(Animating(form));
        EXPECT_EQ(ReadFileBytes(dir / "result.dat"), before);
    }
}

}
