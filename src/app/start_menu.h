// The main menu form: start-up window with the informational text, the menu bar from which
// every other form is opened, and the "終了" that ends the program.
#pragma once

#include <QMainWindow>
#include <QString>

#include "sim/settings.h"

class QAction;
class QLabel;
class QMenu;
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

private:
    void Form_Load();
    void Command1_Click();
    void shuryou_Click();

    // A menu item that opens the form registered under `name`.
    void addFormItem(QWidget* menu, const QString& name, const QString& caption);
    void buildMenus();
    void buildPanel();

    FormOpener& opener_;
    sim::Settings& settings_;
};

// Ends the program at once: leaves the event loop without asking any window to close.
void EndProgram();

}
