// The main menu: the start-up window with the informational text, the menu bar from which every
// other window is opened (the mechanisms as they are registered), and the "終了" that ends the
// program. Its object name is the design's "start_menu".
#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "run/settings.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace app {

class FormOpener;

// The property of a menu item whose caption is a file author's words rather than the
// program's, so it is not translated.
inline constexpr const char* kAuthorsWordsProperty = "authorsWords";

// The version caption: "ﾊﾞｰｼﾞｮﾝ " followed by major.minor.revision.
QString VersionCaption(int major, int minor, int revision);

class MainMenu : public QMainWindow {
    Q_OBJECT
public:
    // Menu items of windows that `opener` knows open them; the others are shown disabled.
    // `settings`, the application's one instance, starts from the defaults.
    MainMenu(FormOpener& opener, sim::Settings& settings, QWidget* parent = nullptr);

    // Opens a set-up or linkage file in its window; a file that cannot be opened is said in a
    // message box naming it.
    void openFile(const std::filesystem::path& file);

protected:
    void changeEvent(QEvent* event) override;

private:
    // "開く…": asks for a file, then opens it.
    void chooseFile();
    // A menu caption: a text of this window's own, or a marked text of the core (a mechanism's
    // title).
    struct Caption {
        QAction* action;
        std::string source;
        bool core = false;
    };

    // Sets every caption in the language in force.
    void retranslate();
    // A menu item that opens the window registered under `name`.
    void addWindowItem(QWidget* menu, const QString& name, Caption caption);
    // A submenu of `parent`, or of `bar` when `parent` is null, named `name`.
    QMenu* addCaptionedMenu(QMenuBar* bar, QMenu* parent, const QString& name, const char* caption);
    void buildMenus();
    // "例題": one item a gallery example, titled as its window is, its lesson as the tooltip.
    void addExamplesMenu(QMenuBar* bar);
    void buildPanel();

    FormOpener& opener_;
    sim::Settings& settings_;
    std::vector<Caption> captions_;
    QLabel* version_ = nullptr;
    QLabel* productName_ = nullptr;
    QPushButton* endButton_ = nullptr;
    QList<QLabel*> information_;   // the five paragraphs of the panel
};

// Ends the program at once: leaves the event loop without asking any window to close.
void EndProgram();

}
