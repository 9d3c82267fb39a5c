// Opening a set-up or linkage file in a window: from the main menu's "開く…" and "例題", and
// from the program's one argument (a double-click on the desktop).
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "messages/refusal.h"
#include "run/settings.h"

class QWidget;

namespace app {

class FormOpener;

// Reads `path` again and opens it: a set-up sets N and T of `settings` where it gives them and
// fills its mechanism's window, opened through `opener` as its menu item opens it; a linkage
// opens a window of its own. Returns the window shown, or why the file cannot be opened.
sim::Refusable<QWidget*> OpenMechsimFile(const std::filesystem::path& path, FormOpener& opener,
                                         sim::Settings& settings);

// A refusal to open a file, in the interface language, for a message box or standard error.
QString OpeningRefusalText(const sim::Refusal& refusal);

// One example of the gallery: its file, its title and the comment line on what it teaches.
struct Example {
    std::filesystem::path file;
    std::string title;   // a core text: a built-in's marked title, or the file's own
    bool authorsTitle = false;   // the file's own title, not translated
    QString teaches;
};

// The examples installed with the program (share/mechsim/examples beside its bin folder), or
// those of the source tree for a program run from its build folder; sorted by file name.
std::vector<Example> GalleryExamples();

}
