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
#include "app/settings_dialog.h"
#include "run/settings.h"
#include "windows.h"

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { app::RegisterForms(opener, settings); }
    void TearDown() override { apptest::CloseAllWindows(); }

    app::SettingsDialog* open()
    {
        return qobject_cast<app::SettingsDialog*>(opener.open("settei"));
    }
    // Types both boxes and presses "OK".
    static void confirm(app::SettingsDialog* form, const QString& cycleTime,
                        const QString& divisions)
    {
        form->cycleTimeBox->setText(cycleTime);
        form->divisionsBox->setText(divisions);
        form->okButton->click();
    }

    sim::Settings settings;
    app::FormOpener opener;
};

TEST_F(SettingsDialogTest, DesignShowsTheCaptionsAndDefaults)
{
    app::SettingsDialog* form = open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "setting");
    EXPECT_EQ(form->cycleTimeCaption->text(), "サイクルタイム(秒)＝");
    EXPECT_EQ(form->divisionsCaption->text(), "時分割数＝");
    EXPECT_EQ(form->okButton->text(), "OK");
    EXPECT_EQ(form->cycleTimeBox->text(), "10");
    EXPECT_EQ(form->divisionsBox->text(), "200");
    EXPECT_FALSE(form->isModal());
    // Upper row, lower row, button below both.
    EXPECT_LT(form->cycleTimeBox->geometry().bottom(), form->divisionsBox->geometry().top());
    EXPECT_LT(form->divisionsBox->geometry().bottom(), form->okButton->geometry().top());
}

TEST_F(SettingsDialogTest, RefusedInputIsShownAndChangesNothing)
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
        {"5", "20000000", "時分割数"},
        {"5", "", "時分割数"},
    };
    app::SettingsDialog* form = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cycleTime) + " / " + c.divisions);
        confirm(form, QString::fromUtf8(c.cycleTime), QString::fromUtf8(c.divisions));
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->refusalLabel->isVisibleTo(form));
        EXPECT_TRUE(form->refusalLabel->text().contains(QString::fromUtf8(c.namedBox)))
            << form->refusalLabel->text().toStdString();
        // The whole refusal shows: the dialog grew to the message's wrapped height.
        QCoreApplication::processEvents();
        const QLabel* message = form->refusalLabel;
        EXPECT_GE(message->height(), message->heightForWidth(message->width()));
        EXPECT_TRUE(form->rect().contains(message->geometry()));
        EXPECT_EQ(settings.cycleTime, 10);
        EXPECT_EQ(settings.divisions, 200);
    }
}

TEST_F(SettingsDialogTest, OkStoresBothValuesAndCloses)
{
    QPointer<app::SettingsDialog> form = open();
    confirm(form, "5", "100");
    EXPECT_EQ(settings.cycleTime, 5);
    EXPECT_EQ(settings.divisions, 100);
    apptest::ProcessDeletions();
    EXPECT_TRUE(form.isNull());
}

TEST_F(SettingsDialogTest, FullWidthDigitsAreRead)
{
    confirm(open(), "５", "２００");
    EXPECT_EQ(settings.cycleTime, 5);
    EXPECT_EQ(settings.divisions, 200);
}

TEST_F(SettingsDialogTest, ReopenedDialogShowsTheDefaultsNotTheSettings)
{
    confirm(open(), "5", "100");

    app::SettingsDialog* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->cycleTimeBox->text(), "10");
    EXPECT_EQ(again->divisionsBox->text(), "200");
    EXPECT_TRUE(again->refusalLabel->text().isEmpty());
    // Confirming untouched restores the defaults.
    again->okButton->click();
    EXPECT_EQ(settings.cycleTime, 10);
    EXPECT_EQ(settings.divisions, 200);
}

TEST_F(SettingsDialogTest, RefusedThenCorrectedIsStored)
{
    app::SettingsDialog* form = open();
    confirm(form, "10", "0");
    ASSERT_TRUE(form->isVisible());
    confirm(form, "10", "50");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(settings.divisions, 50);
}

TEST_F(SettingsDialogTest, ClosingByTheFrameChangesNothing)
{
    app::SettingsDialog* form = open();
    form->cycleTimeBox->setText("5");
    form->divisionsBox->setText("100");
    form->close();
    EXPECT_EQ(settings.cycleTime, 10);
    EXPECT_EQ(settings.divisions, 200);
    EXPECT_EQ(open()->cycleTimeBox->text(), "10");
}

}
