// The transport strip, the time cursor, the current values and a run on the worker thread in
// the 2R arm's window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStringList>
#include <chrono>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/serial_2r.h"
#include "plot/graphs.h"
#include "plot/qt/picture_box.h"
#include "plot/recording_canvas.h"
#include "support/temp_dir.h"

namespace {

struct WindowFixture : ::testing::Test {
    TempDir dir;
    sim::Settings settings;
    sim::MechanismWindow form{mechanisms::Serial2R(), settings};

    WindowFixture() { form.setResultPath(dir / "result.dat"); }
    template <typename T> T* child(const char* name) { return form.findChild<T*>(name); }
    void waitForRun()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (form.isComputing() && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(form.isComputing());
    }
    QStringList valueLines()
    {
        return child<QPlainTextEdit>("CurrentValues")->toPlainText().split('\n');
    }
    // The window's key, as its shortcut has it.
    void press(Qt::Key key)
    {
        for (QShortcut* shortcut : form.findChildren<QShortcut*>())
            if (shortcut->key() == QKeySequence(key))
                emit shortcut->activated();
    }
};

TEST_F(WindowFixture, TheCursorAndTheValuesShowTheChosenStepOfTheFile)
{
    for (const char* name : {"一時停止", "1ステップ戻る", "1ステップ進む", "時刻スライダー", "速さ",
                             "現在の値", "進行状況", "中止"}) {
        const auto named = form.findChildren<QWidget*>();
        EXPECT_EQ(std::count_if(named.begin(), named.end(),
                                [name](QWidget* w) { return w->accessibleName() == name; }),
                  1)
            << name;
    }
    settings.divisions = 200;
    child<QPushButton>("RUN")->click();
    child<QPushButton>("Pause")->click();
    EXPECT_FALSE(Animating(form));
    // The keys: End, then Left steps back from N; Space resumes and pauses again.
    press(Qt::Key_End);
    press(Qt::Key_Left);
    EXPECT_EQ(valueLines()[0], "ステップ 199 / 200　時刻 9.95 秒");
    press(Qt::Key_Space);
    EXPECT_TRUE(Animating(form));
    press(Qt::Key_Space);
    EXPECT_FALSE(Animating(form));
    child<QSlider>("TimeSlider")->setValue(65);
    child<QPushButton>("StepForward")->click();

    // The cursor stands where the plotted curves pass step 66 (3.3 s of 10 s).
    auto* picture1 = child<plot::PictureBox>("Picture1");
    plot::RecordingCanvas graph(picture1->widthMm(), picture1->heightMm()), other(72, 60);
    form.frame().plotGraphs(graph, other);
    std::vector<plot::RecordedLine> curve;
    std::copy_if(graph.lines.begin(), graph.lines.end(), std::back_inserter(curve),
                 [](const plot::RecordedLine& l) { return l.penWidth == 2; });
    ASSERT_GT(curve.size(), 66u);
    ASSERT_TRUE(picture1->cursorX().has_value());
    EXPECT_NEAR(*picture1->cursorX(), curve[66].a.x, 1e-9);
    // ... and is painted there over the kept graph.
    QImage shown(picture1->size(), QImage::Format_RGB32);
    picture1->render(&shown);
    const int column = 2
                       + static_cast<int>(*picture1->cursorX() * picture1->logicalSize().width()
                                          / picture1->widthMm());
    int cursorPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = column - 1; x <= column + 1; ++x)
            cursorPixels += shown.pixelColor(x, y) == QColor(255, 0, 255);
    EXPECT_GT(cursorPixels, picture1->logicalSize().height() / 2);

    // The values are the file's header and row 66, their column groups put together again.
    const QStringList lines = valueLines();
    EXPECT_EQ(lines[0], "ステップ 66 / 200　時刻 3.3 秒");
    QStringList names, numbers;
    for (int k = 1; k + 1 < lines.size(); k += 2) {
        names << lines[k];
        numbers << lines[k + 1];
    }
    const QStringList file =
        QString::fromStdString(ReadFileBytes(dir / "result.dat")).split("\r\n");
    EXPECT_EQ(names.join('\t'), file[0]);
    EXPECT_EQ(numbers.join('\t'), file[67]);
    // Assistive technology reads the values themselves.
    QAccessibleInterface* values =
        QAccessible::queryAccessibleInterface(child<QPlainTextEdit>("CurrentValues"));
    ASSERT_TRUE(values && values->textInterface());
    EXPECT_TRUE(values->textInterface()->text(0, 40).startsWith("ステップ 66"));
}

// A checkable pause button toggled by a screen reader used to change its pressed state while
// the animation played on: pausing went by its clicks only.
TEST_F(WindowFixture, ThePauseButtonPausesHoweverItIsPressedAndShowsWhetherThePlayerPlays)
{
    settings.divisions = 200;
    child<QPushButton>("RUN")->click();
    auto* pause = child<QPushButton>("Pause");
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(pause);
    ASSERT_TRUE(button && button->actionInterface());
    QAccessibleActionInterface* actions = button->actionInterface();
    // Playing, the button is up and says so to a screen reader; paused, it is pressed.
    auto expectPlaying = [&](bool playing) {
        EXPECT_EQ(Animating(form), playing);
        EXPECT_EQ(form.frame().playing(), playing);
        EXPECT_EQ(pause->isChecked(), !playing);
        EXPECT_EQ(static_cast<bool>(button->state().checked), !playing);
    };
    expectPlaying(true);

    {
        SCOPED_TRACE("the screen reader's toggle");
        actions->doAction(QAccessibleActionInterface::toggleAction());
        expectPlaying(false);
        actions->doAction(QAccessibleActionInterface::toggleAction());
        expectPlaying(true);
    }
    {
        SCOPED_TRACE("the screen reader's press, shown as a short click");
        actions->doAction(QAccessibleActionInterface::pressAction());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Animating(form) && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        expectPlaying(false);
    }
    {
        SCOPED_TRACE("setChecked");
        pause->setChecked(false);
        expectPlaying(true);
        pause->setChecked(true);
        expectPlaying(false);
    }
    {
        SCOPED_TRACE("the player's own changes, each shown once");
        press(Qt::Key_Space);
        expectPlaying(true);
        press(Qt::Key_Space);
        expectPlaying(false);
        child<QPushButton>("RUN")->click();   // a new run plays from pose 0
        expectPlaying(true);
        child<QPushButton>("STOP")->click();
        expectPlaying(false);
        pause->click();   // resumes from STOP
        expectPlaying(true);
    }
}

TEST_F(WindowFixture, ALongRunComputesAsideAndACancelledOneKeepsThePrevious)
{
    settings.divisions = 20;
    child<QPushButton>("RUN")->click();
    const std::string fileBefore = ReadFileBytes(dir / "result.dat");
    const sim::MechanismRun* before = form.frame().run();

    settings.divisions = 200000;
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(form.isComputing());
    EXPECT_TRUE(Animating(form));   // the previous run goes on meanwhile
    child<QPushButton>("Cancel")->click();
    waitForRun();
    EXPECT_EQ(form.frame().run(), before);
    EXPECT_EQ(form.frame().context().divisions, 20);
    EXPECT_EQ(child<QSlider>("TimeSlider")->maximum(), 20);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), fileBefore);
    EXPECT_TRUE(child<QLabel>("lblMessage")->text().contains("中止"));

    // Settings changed while a run computes do not reach it.
    child<QPushButton>("RUN")->click();
    settings.divisions = 7;
    waitForRun();
    EXPECT_EQ(form.frame().context().divisions, 200000);
    EXPECT_EQ(child<QSlider>("TimeSlider")->maximum(), 200000);
    const std::string bytes = ReadFileBytes(dir / "result.dat");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 200002);
}

// A long run's pictures at a new size are gathered on the worker, the window answering
// meanwhile, and drawn as the run drew them at that size. (A window shrunk back to its design
// size kept its pictures at the larger size.)
TEST_F(WindowFixture, ALongRunIsPlottedAgainAsideAsTheRunDrewIt)
{
    settings.divisions = 50000;
    form.show();
    child<QPushButton>("RUN")->click();
    waitForRun();
    child<QPushButton>("STOP")->click();   // gathered with the run
    EXPECT_FALSE(form.isComputing());
    auto images = [&] {
        std::vector<QImage> shown;
        for (const char* name : {"Picture1", "Picture2", "Picture3"})
            shown.push_back(child<plot::PictureBox>(name)->image());
        return shown;
    };
    const std::vector<QImage> drawn = images();
    const QSize size = form.size();
    for (const QSize next : {size + QSize(300, 200), size}) {
        form.resize(next);
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.isComputing());
        form.animationTick();   // the player goes on
        waitForRun();
    }
    EXPECT_TRUE(images() == drawn);

    // STOP's centrode takes passes of its own: drawn aside too, as the frame draws it.
    child<QCheckBox>("CheckCentres")->click();
    child<QPushButton>("STOP")->click();
    EXPECT_TRUE(form.isComputing());
    waitForRun();
    auto* view = child<plot::PictureBox>("Picture3");
    plot::ImageCanvas expected(*view);
    form.frame().drawSummary(expected);
    EXPECT_TRUE(view->image() == expected.image());
    EXPECT_FALSE(view->image() == drawn[2]);
}

}
