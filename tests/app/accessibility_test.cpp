// Every text box, button and picture of the shell can be found by assistive technology.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/form_opener.h"
#include "app/interface_font.h"
#include "app/main_menu.h"
#include "app/settings_dialog.h"

namespace {

void ExpectNamedControls(const QWidget& form)
{
    QList<QWidget*> controls;
    for (QLineEdit* box : form.findChildren<QLineEdit*>())
        controls << box;
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
        if (!button->objectName().startsWith("qt_"))   // Qt's own, e.g. the menu bar's overflow
            controls << button;
    for (const char* picture : {"imgLogo", "Image1"})
        if (QWidget* w = form.findChild<QWidget*>(picture))
            controls << w;
    EXPECT_FALSE(controls.isEmpty());
    for (QWidget* control : controls)
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
}

TEST(AccessibleNames, StartMenuControlsAreNamed)
{
    app::FormOpener opener;
    sim::Settings settings;
    app::MainMenu menu(opener, settings);
    ExpectNamedControls(menu);
    EXPECT_EQ(menu.findChild<QPushButton*>("Command1")->accessibleName(), "終了");
    EXPECT_EQ(menu.findChild<QWidget*>("imgLogo")->accessibleName(), "imgLogo");
}

TEST(AccessibleNames, SettingsBoxesAreNamedByTheirCaptions)
{
    sim::Settings settings;
    app::SettingsDialog form(settings);
    ExpectNamedControls(form);
    EXPECT_EQ(form.cycleTimeBox->accessibleName(), form.cycleTimeCaption->text());
    EXPECT_EQ(form.divisionsBox->accessibleName(), form.divisionsCaption->text());
    EXPECT_EQ(form.okButton->accessibleName(), "OK");
}

TEST(InterfaceFont, JapaneseFontIsInstalledAndUsed)
{
    auto* application = static_cast<QApplication*>(QCoreApplication::instance());
    const QFont before = QApplication::font();
    app::SetInterfaceFont(*application);
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), app::kInterfaceFontFamily);
    QApplication::setFont(before);
}

}
