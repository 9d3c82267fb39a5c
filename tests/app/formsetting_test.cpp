// The settings dialog: only usable values are stored, a refusal is shown in the dialog, and
// every opening starts from "10" and "200".
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/formsetting.h"
#include "run/settings.h"
#include "windows.h"

namespace {

class FormSettingTest : public ::testing::Test {
protected:
    void SetUp() override { app::RegisterForms(opener, settings); }
    void TearDown() override { apptest::CloseAllWindows(); }

    app::formsetting* open() { return qobject_cast<app::formsetting*>(opener.open("settei")); }
    // Types both boxes and presses "OK".
    static void confirm(app::formsetting* form, const QString& cycleTime, const QString& divisions)
    {
        form->Text1->setText(cycleTime);
        form->Text2->setText(divisions);
        form->Command1->click();
    }

    sim::Settings settings;
    app::FormOpener opener;
};

TEST_F(FormSettingTest, DesignShowsTheCaptionsAndDefaults)
{
    app::formsetting* form = open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "setting");
    EXPECT_EQ(form->Label1->text(), "サイクルタイム(秒)＝");
    EXPECT_EQ(form->Label2->text(), "時分割数＝");
    EXPECT_EQ(form->Command1->text(), "OK");
    EXPECT_EQ(form->Text1->text(), "10");
    EXPECT_EQ(form->Text2->text(), "200");
    EXPECT_FALSE(form->isModal());
    // Upper row, lower row, button below both.
    EXPECT_LT(form->Text1->geometry().bottom(), form->Text2->geometry().top());
    EXPECT_LT(form->Text2->geometry().bottom(), form->Command1->geometry().top());
}

TEST_F(FormSettingTest, RefusedInputIsShownAndChangesNothing)
{
    struct Case {
        const char* cycleTime;
        const char* divisions;
        const char* namedBox;
    };
    const Case cases[] = {
        {"abc", "100", "サイクルタイム"},
        {"0", "100", "サイクルタイム"},
        {"-5", "100", "サイクルタイム"},
        {"", "100", "サイクルタイム"},
        {"5", "xyz", "時分割数"},
        {"5", "0", "時分割数"},
        {"5", "100.5", "時分割数"},
        {"5", "2000000", "時分割数"},
        {"5", "", "時分割数"},
    };
    app::formsetting* form = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cycleTime) + " / " + c.divisions);
        confirm(form, QString::fromUtf8(c.cycleTime), QString::fromUtf8(c.divisions));
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->lblMessage->isVisibleTo(form));
        EXPECT_TRUE(form->lblMessage->text().contains(QString::fromUtf8(c.namedBox)))
            << form->lblMessage->text().toStdString();
        // The whole refusal shows: the dialog grew to the message's wrapped height.
        QCoreApplication::processEvents();
        const QLabel* message = form->lblMessage;
        EXPECT_GE(message->height(), message->heightForWidth(message->width()));
        EXPECT_TRUE(form->rect().contains(message->geometry()));
        EXPECT_EQ(settings.cycleTime, 10);
        EXPECT_EQ(settings.divisions, 200);
    }
}

TEST_F(FormSettingTest, OkStoresBothValuesAndCloses)
{
    QPointer<app::formsetting> form = open();
    confirm(form, "5", "100");
    EXPECT_EQ(settings.cycleTime, 5);
    EXPECT_EQ(settings.divisions, 100);
    apptest::ProcessDeletions();
    EXPECT_TRUE(form.isNull());
}

TEST_F(FormSettingTest, FullWidthDigitsAreRead)
{
    confirm(open(), "５", "２００");
    EXPECT_EQ(settings.cycleTime, 5);
    EXPECT_EQ(settings.divisions, 200);
}

TEST_F(FormSettingTest, ReopenedDialogShowsTheDefaultsNotTheSettings)
{
    confirm(open(), "5", "100");

    app::formsetting* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Text1->text(), "10");
    EXPECT_EQ(again->Text2->text(), "200");
    EXPECT_TRUE(again->lblMessage->text().isEmpty());
    // Confirming untouched restores the defaults.
    again->Command1->click();
    EXPECT_EQ(settings.cycleTime, 10);
    EXPECT_EQ(settings.divisions, 200);
}

TEST_F(FormSettingTest, RefusedThenCorrectedIsStored)
{
    app::formsetting* form = open();
    confirm(form, "10", "0");
    ASSERT_TRUE(form->isVisible());
    confirm(form, "10", "50");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(settings.divisions, 50);
}

TEST_F(FormSettingTest, ClosingByTheFrameChangesNothing)
{
    app::formsetting* form = open();
    form->Text1->setText("5");
    form->Text2->setText("100");
    form->close();
    EXPECT_EQ(settings.cycleTime, 10);
    EXPECT_EQ(settings.divisions, 200);
    EXPECT_EQ(open()->Text1->text(), "10");
}

}
