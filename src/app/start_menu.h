// The main menu form: start-up window with the informational text, the menu bar from which
// every other form is opened, and the "終了" that ends the program.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <utility>
#include <vector>

#include "run/settings.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace app {

class FormOpener;

// The version caption: "ﾊﾞｰｼﾞｮﾝ " followed by major.minor.revision.
QString VersionCaption(int major, int minor, int revision);

class start_menu : public QMainWindow {
    Q_OBJECT
public:
    // Menu items of forms that `opener` knows open them; the others are shown disabled. The
    // load sets `settings`, the application's one instance, to the defaults.
    start_menu(FormOpener& opener, sim::Settings& settings, QWidget* parent = nullptr);

    QLabel* lblVersion;
    QLabel* lblProductName;
    QPushButton* Command1;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    // Sets every caption in the language in force.
    void retranslate();
    void Command1_Click();
    void shuryou_Click();

    // A menu item that opens the form registered under `name`; `caption` is its source text.
    void addFormItem(QWidget* menu, const QString& name, const char* caption);
    // A submenu of `parent`, or of `bar` when `parent` is null, named `name`.
    QMenu* addCaptionedMenu(QMenuBar* bar, QMenu* parent, const QString& name, const char* caption);
    void buildMenus();
    void buildPanel();

    FormOpener& opener_;
    sim::Settings& settings_;
    std::vector<std::pair<QAction*, const char*>> captions_;   // menu items and their sources
    QList<QLabel*> information_;                               // Label1..Label5
};

// Ends the program at once: leaves the event loop without asking any window to close.
void EndProgram();

}
