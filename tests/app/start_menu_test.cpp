// The main menu: its menu tree, captions, start-up settings, enabled items and "終了".
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "app/file_opening.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/main_menu.h"
#include "app/settings_dialog.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "run/settings.h"
#include "support/temp_dir.h"
#include "version.h"
#include "windows.h"

namespace {

struct MenuItem {
    int level;
    QString name;
    QString caption;
    bool operator==(const MenuItem&) const = default;
};

void PrintTo(const MenuItem& item, std::ostream* os)
{
    *os << item.level << " " << item.name.toStdString() << " " << item.caption.toStdString();
}

void CollectItems(const QList<QAction*>& actions, int level, std::vector<MenuItem>& out)
{
    for (QAction* action : actions) {
        out.push_back({level, action->objectName(), action->text()});
        if (QMenu* submenu = action->menu())
            CollectItems(submenu->actions(), level + 1, out);
    }
}

// Every menu item that opens a window: one per registered mechanism, the test benches and the
// settings.
QStringList WindowItems()
{
    QStringList items;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms())
        items << QString::fromStdString(m->menuName);
    return items << "gauss_test"
                 << "lady_test"
                 << "nibunhou_test"
                 << "settei";
}

class StartMenuTest : public ::testing::Test {
protected:
    void TearDown() override { apptest::CloseAllWindows(); }
    QAction* item(app::MainMenu& menu, const QString& name)
    {
        return menu.findChild<QAction*>(name);
    }
    sim::Settings settings;
    app::FormOpener opener;
};

TEST_F(StartMenuTest, MenuTreeHasTheCaptionsNestingAndOrder)
{
    app::MainMenu menu(opener, settings);
    std::vector<MenuItem> items;
    CollectItems(menu.menuBar()->actions(), 1, items);
    // Each registered mechanism under the group its registration names, in its order, with its
    // title as the caption.
    std::vector<MenuItem> serialArms, others;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        const bool serial = m->menuGroup == sim::MenuGroup::SerialArms;
        (serial ? serialArms : others)
            .push_back({serial ? 3 : 2, QString::fromStdString(m->menuName),
                        QString::fromStdString(m->title)});
    }
    ASSERT_FALSE(serialArms.empty());
    ASSERT_FALSE(others.empty());
    std::vector<MenuItem> expected = {
        {1, "file", "file"},
        {2, "open", "開く…"},
        {2, "newLinkage", "新しいリンク機構"},
        {2, "shuryou", "終了"},
        {1, "select", "機構選択"},
        {2, "sirial", "シリアル機構"},
    };
    expected.insert(expected.end(), serialArms.begin(), serialArms.end());
    expected.insert(expected.end(), others.begin(), others.end());
    // The gallery: one item an example file, titled by its mechanism or linkage.
    expected.push_back({1, "examples", "例題"});
    const std::vector<app::Example> gallery = app::GalleryExamples();
    EXPECT_GE(gallery.size(), 17u);
    for (const app::Example& example : gallery)
        expected.push_back({2, "example_" + QString::fromStdString(example.file.stem().string()),
                            QString::fromStdString(example.title)});
    const std::vector<MenuItem> rest = {
        {1, "testing", "関数テスト"},
        {2, "gauss_test", "ガウスの消去法テスト"},
        {2, "lady_test", "レディー関数テスト"},
        {2, "nibunhou_test", "二分法テスト"},
        {1, "settei", "設定"},
        {1, "language", "言語"},
        {2, "japanese", "日本語"},
        {2, "english", "English"},
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(items, expected);
    // "設定" acts from the menu bar itself: it must not open a submenu.
    EXPECT_EQ(item(menu, "settei")->menu(), nullptr);
}

TEST_F(StartMenuTest, LabelsShowVersionAndTitleAndTheWindowHasNoTitle)
{
    app::MainMenu menu(opener, settings);
    EXPECT_EQ(menu.findChild<QLabel*>("lblVersion")->text(), QString("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                                                                 .arg(app::kVersionMajor)
                                                                 .arg(app::kVersionMinor)
                                                                 .arg(app::kVersionRevision));
    EXPECT_EQ(menu.findChild<QLabel*>("lblProductName")->text(),
              QString::fromUtf8(app::kApplicationTitle));
    EXPECT_FALSE(menu.findChild<QLabel*>("lblProductName")->text().isEmpty());
    EXPECT_TRUE(menu.windowTitle().trimmed().isEmpty());
    EXPECT_EQ(menu.findChild<QPushButton*>("Command1")->text(), "終了");
    EXPECT_NE(menu.findChild<QWidget*>("main"), nullptr);
    for (const char* picture : {"imgLogo", "Image1"})
        EXPECT_NE(menu.findChild<QWidget*>(picture), nullptr) << picture;
    for (int i = 1; i <= 5; ++i) {
        auto* label = menu.findChild<QLabel*>(QString("Label%1").arg(i));
        ASSERT_NE(label, nullptr) << i;
        EXPECT_FALSE(label->text().isEmpty()) << i;
    }
}

TEST(VersionCaption, WritesEachNumberAsDecimalAfterTheLiteral)
{
    EXPECT_EQ(app::VersionCaption(2, 1, 0), "ﾊﾞｰｼﾞｮﾝ 2.1.0");
    EXPECT_EQ(app::VersionCaption(1, 0, 3), "ﾊﾞｰｼﾞｮﾝ 1.0.3");
    EXPECT_EQ(app::VersionCaption(10, 20, 305), "ﾊﾞｰｼﾞｮﾝ 10.20.305");
}

TEST_F(StartMenuTest, LoadSetsTheDefaultSettings)
{
    settings = {.divisions = 7, .cycleTime = 3};
    app::MainMenu menu(opener, settings);
    EXPECT_EQ(settings.cycleTime, 10);
    EXPECT_EQ(settings.divisions, 200);
}

TEST_F(StartMenuTest, ItemsWithoutAFormAreDisabled)
{
    int opened = 0;
    opener.registerForm("jun2r", app::FormOpener::Kind::NewInstance, [&] {
        ++opened;
        return new apptest::StandInForm;
    });
    app::MainMenu menu(opener, settings);
    for (const QString& name : WindowItems()) {
        QAction* action = item(menu, name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        EXPECT_EQ(action->isEnabled(), name == "jun2r") << name.toStdString();
    }
    for (const char* always : {"file", "shuryou", "select", "sirial", "testing"})
        EXPECT_TRUE(item(menu, always)->isEnabled()) << always;

    item(menu, "jun2r")->trigger();
    item(menu, "jun2r")->trigger();
    EXPECT_EQ(opened, 2);
}

TEST_F(StartMenuTest, SetteiOpensTheOneSettingsDialog)
{
    app::RegisterForms(opener, settings);
    app::MainMenu menu(opener, settings);
    ASSERT_TRUE(item(menu, "settei")->isEnabled());
    item(menu, "settei")->trigger();
    item(menu, "settei")->trigger();
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        shown += qobject_cast<app::SettingsDialog*>(w) && w->isVisible();
    EXPECT_EQ(shown, 1);
}

// Visible windows of the form `formName`.
std::vector<QWidget*> OpenWindows(const QString& formName)
{
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == formName)
            found.push_back(w);
    return found;
}

TEST_F(StartMenuTest, EachItemOpensItsFormAsAFreshWindowOrTheSharedOne)
{
    struct Row {
        const char* item;
        const char* form;
        std::size_t windowsAfterTwoClicks;
    };
    const Row rows[] = {
        {"jun2r", "Form2rjun", 2},         {"jun3r", "Form3rjun", 2},
        {"choku3r", "Form3rchoku", 2},     {"enn3r", "Form3renn", 2},
        {"parallel", "Formparallel", 2},   {"link4", "Form4link", 2},
        {"slider_kikou", "Formslider", 1}, {"gauss_test", "Formgauss", 1},
        {"lady_test", "Formlady", 1},      {"nibunhou_test", "formnibun", 1},
        {"settei", "formsetting", 1},
    };
    app::RegisterForms(opener, settings);
    app::MainMenu menu(opener, settings);
    for (const Row& r : rows) {
        QAction* action = item(menu, r.item);
        ASSERT_NE(action, nullptr) << r.item;
        EXPECT_TRUE(action->isEnabled()) << r.item;
        action->trigger();
        action->trigger();
        const std::vector<QWidget*> windows = OpenWindows(r.form);
        EXPECT_EQ(windows.size(), r.windowsAfterTwoClicks) << r.item;
        for (QWidget* w : windows)
            EXPECT_FALSE(w->isModal()) << r.item;
    }
}

TEST_F(StartMenuTest, SettingsConfirmedInTheDialogDriveTheNextRun)
{
    TempDir dir;
    app::RegisterForms(opener, settings);
    app::MainMenu menu(opener, settings);
    item(menu, "settei")->trigger();
    auto* dialog = qobject_cast<app::SettingsDialog*>(OpenWindows("formsetting").at(0));
    ASSERT_NE(dialog, nullptr);
    dialog->cycleTimeBox->setText("5");
    dialog->divisionsBox->setText("100");
    dialog->okButton->click();

    item(menu, "jun2r")->trigger();
    auto* form = qobject_cast<sim::MechanismWindow*>(OpenWindows("Form2rjun").at(0));
    ASSERT_NE(form, nullptr);
    form->setResultPath(dir / "result.dat");
    form->startRun();
    // Header and the steps 0..100; the last step is at T = 5 s.
    const std::string table = ReadFileBytes(dir / "result.dat");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 102);
    EXPECT_NE(table.find("\r\n5\t"), std::string::npos);
    EXPECT_EQ(table.find("\r\n5.05\t"), std::string::npos);
}

// "終了" must end the program even while a form would refuse to close.
class EndProgramTest : public StartMenuTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EndProgramTest, LeavesTheEventLoopWithoutAskingOpenForms)
{
    const bool byButton = GetParam();
    app::MainMenu menu(opener, settings);
    menu.show();
    auto* busy = new apptest::RefusingForm;
    busy->show();

    QTimer::singleShot(0, &menu, [&] {
        if (byButton)
            menu.findChild<QPushButton*>("Command1")->click();
        else
            item(menu, "shuryou")->trigger();
    });
    QTimer guard;   // ends the loop if the click did not
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(3000);
    EXPECT_EQ(QApplication::exec(), 0);
    delete busy;
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, EndProgramTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Command1" : "shuryou"; });

}
