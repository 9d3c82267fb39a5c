// Program entry: the command line for a command ("run"), "--help", "-h" and "--version", the
// main menu otherwise (with Qt's standard options only, and a set-up or linkage file to open).
#include <QApplication>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/interface_font.h"
#include "app/main_menu.h"
#include "app/window_start.h"
#include "run/settings.h"
#include "widgets/language.h"

int main(int argc, char** argv)
{
    // The interface language: the locale's, unless "--lang ja|en" anywhere says otherwise.
    widgets::Language language = widgets::LocaleLanguage();
    widgets::SetLanguage(language);
    if (const auto refused = widgets::TakeLanguageOption(argc, argv, language)) {
        std::cerr << "mechsim: " << *refused << "\n";
        return 2;   // a usage error, as on the command line
    }
    widgets::SetLanguage(language);
    if (app::IsCommandLine(argc, argv))
        return app::RunCommandLine(argc, argv);
    if (const auto refused = app::RefuseWindowArguments(argc, argv)) {
        std::cerr << "mechsim: " << *refused << "\n";
        return 2;
    }
    const std::optional<std::filesystem::path> file = app::WindowFileArgument(argc, argv);

    // The settings outlive every window that reads or writes them.
    sim::Settings settings;
    const std::unique_ptr<QApplication> application = app::OpenApplication(argc, argv);
    widgets::SetLanguage(language);   // installs the catalogue in the application
    app::SetInterfaceFont(*application);
    app::FormOpener opener;
    app::RegisterForms(opener, settings);
    app::MainMenu menu(opener, settings);
    menu.show();
    if (file)
        menu.openFile(*file);
    return application->exec();
}
