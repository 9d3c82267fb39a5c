// Set-up and linkage files opened in windows, and the gallery of examples.
#include "app/file_opening.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cctype>
#include <fstream>

#include "app/form_opener.h"
#include "linkage_editor/linkage_editor.h"
#include "mechanism_window/mechanism_window.h"
#include "run/refusal_text.h"
#include "setup_files/mechsim_file.h"
#include "widgets/language.h"
#include "widgets/qt_string.h"

namespace app {

namespace fs = std::filesystem;

namespace {

// The folders the examples may be in, the installed one first.
std::vector<fs::path> ExampleFolders()
{
    std::vector<fs::path> folders;
    const fs::path program = QCoreApplication::applicationDirPath().toStdString();
    if (!program.empty())
        folders.push_back(program.parent_path() / "share" / "mechsim" / "examples");
#ifdef MECHSIM_EXAMPLES_DIR
    folders.emplace_back(MECHSIM_EXAMPLES_DIR);
#endif
    return folders;
}

// N and T of a set-up checked together with those it leaves as they are.
sim::Refusable<sim::Settings> SettingsOf(const setup_files::MechsimFile& file,
                                         const sim::Settings& current)
{
    return sim::ParseSettings(file.cycleTime.value_or(sim::CycleTimeText(current)),
                              file.divisions.value_or(sim::DivisionCountText(current)));
}

}

sim::Refusable<QWidget*> OpenMechsimFile(const fs::path& path, FormOpener& opener,
                                         sim::Settings& settings)
{
    sim::Refusable<setup_files::MechsimFile> read = setup_files::ReadMechsimFile(path);
    if (!read)
        return std::move(read).error();
    const setup_files::MechsimFile& file = read.value();
    sim::Refusable<sim::Settings> runSettings = SettingsOf(file, settings);
    if (!runSettings)
        return std::move(runSettings).error();
    settings = runSettings.value();

    sim::MechanismWindow* window = nullptr;
    if (file.linkage) {
        window = new sim::MechanismWindow(file, settings);
        // A gallery example is edited as a new file: "保存" never overwrites the example.
        const std::vector<fs::path> folders = ExampleFolders();
        const bool example = std::any_of(folders.begin(), folders.end(),
                                         [&](const fs::path& folder) {
                                             std::error_code error;
                                             return fs::equivalent(folder, path.parent_path(),
                                                                   error);
                                         });
        window->enableEditing([file, path = example ? fs::path() : path, &settings] {
            (new linkage_editor::LinkageEditor(settings, file, path))->show();
        });
        window->show();
    } else {
        window = qobject_cast<sim::MechanismWindow*>(
            opener.open(QString::fromStdString(file.mechanism->menuName)));
    }
    if (!window)
        return sim::Refusal::OfUsage(path.string());
    window->applySetUp(file);
    window->raise();
    window->activateWindow();
    return static_cast<QWidget*>(window);
}

QString OpeningRefusalText(const sim::Refusal& refusal)
{
    return widgets::ToQString(sim::DescribeRefusal(sim::Mechanism{}, refusal, sim::BoxNames::Keys,
                                                   widgets::TranslateCoreText));
}

namespace {

// The file's first comment line, without its "#", or nothing.
QString FirstComment(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with('#')) {
            const std::size_t text = line.find_first_not_of("# ");
            return text == std::string::npos ? QString() : widgets::ToQString(line.substr(text));
        }
    return {};
}

}

std::vector<Example> GalleryExamples()
{
    for (const fs::path& folder : ExampleFolders()) {
        std::error_code error;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            if (entry.is_regular_file()
                && setup_files::NamesMechsimFile(entry.path().filename().string()))
                files.push_back(entry.path());
        if (files.empty())
            continue;
        std::sort(files.begin(), files.end());
        std::vector<Example> examples;
        for (const fs::path& file : files) {
            const sim::Refusable<setup_files::MechsimFile> read = setup_files::ReadMechsimFile(file);
            if (!read)
                continue;   // a broken example is left out of the menu, not shown broken
            examples.push_back({file, read.value().mechanism->title,
                                read.value().linkage.has_value(), FirstComment(file)});
        }
        return examples;
    }
    return {};
}

}
