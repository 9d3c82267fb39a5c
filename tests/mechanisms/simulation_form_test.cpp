// The mechanism window on the offscreen platform: controls, RUN/STOP/next and the timer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "mechanisms/serial_2r.h"
#include "plot/qt/picture_box.h"
#include "sim/qt/simulation_form.h"
#include "sim/settings.h"
#include "support/temp_dir.h"

namespace {

struct FormFixture : ::testing::Test {
    TempDir dir;
    sim::SimulationForm* form = nullptr;

    void SetUp() override
    {
        sim::Settings() = {};
        form = new sim::SimulationForm(mechanisms::Serial2R());
        form->setResultPath(dir / "result.dat");
    }
    void TearDown() override
    {
        delete form;
        sim::Settings() = {};
    }
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
    EXPECT_EQ(child<QLineEdit>("Text1_0")->text(), "20");
    EXPECT_EQ(child<QLineEdit>("Text1_4")->text(), "180");
    EXPECT_EQ(child<QLineEdit>("Text1_5")->text(), "-90");
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
    EXPECT_TRUE(form->isAnimating());
    EXPECT_TRUE(std::filesystem::exists(dir / "result.dat"));
    form->Timer1_Timer();
    EXPECT_EQ(text2(), "0");
    form->Timer1_Timer();
    EXPECT_EQ(text2(), "1");
    child<QPushButton>("STOP")->click();
    EXPECT_FALSE(form->isAnimating());
}

TEST_F(FormFixture, ARunKeepsTheDivisionsInForceAtItsRun)
{
    sim::Settings().DivisionCount = 4;
    child<QPushButton>("RUN")->click();
    sim::Settings().DivisionCount = 1000;
    int highest = 0;
    for (int t = 0; t < 20; ++t) {
        form->Timer1_Timer();
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
    EXPECT_TRUE(form->isAnimating());
    EXPECT_EQ(child<QLabel>("Label4")->text(), "x   dx   ddx");
    form->Timer1_Timer();
    EXPECT_EQ(child<QLabel>("Label4")->text(), "x   dx   ddx");
}

TEST_F(FormFixture, ARefusedRunNamesTheBoxAndKeepsTheAnimationGoing)
{
    child<QPushButton>("RUN")->click();
    const std::string before = ReadFileBytes(dir / "result.dat");
    child<QLineEdit>("Text1_1")->setText("1O");   // letter O typed for a zero
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(child<QLabel>("lblMessage")->text().contains("L2"));
    EXPECT_TRUE(form->isAnimating());
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), before);
    child<QLineEdit>("Text1_1")->setText("10");
    child<QPushButton>("RUN")->click();
    EXPECT_TRUE(child<QLabel>("lblMessage")->text().isEmpty());
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
    sim::SimulationForm other(mechanisms::Serial2R());
    other.setResultPath(dir / "result.dat");
    form->RUN_Click();
    for (int t = 0; t < 3; ++t)
        form->Timer1_Timer();
    other.RUN_Click();
    other.Timer1_Timer();
    EXPECT_EQ(form->frame().stepIndex(), 3);
    EXPECT_EQ(other.frame().stepIndex(), 1);
}

}
