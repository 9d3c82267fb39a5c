// Program entry: the command line for a command ("run"), "--help", "-h" and "--version", the
// main menu otherwise.
#include <QApplication>

#include "app/command_line.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/interface_font.h"
#include "app/start_menu.h"
#include "sim/settings.h"

int main(int argc, char** argv)
{
    if (app::IsCommandLine(argc, argv))
        return app::RunCommandLine(argc, argv);

    // The settings outlive every window that reads or writes them.
    sim::Settings settings;
    QApplication application(argc, argv);
    app::SetInterfaceFont(application);
    app::FormOpener opener;
    app::RegisterForms(opener, settings);
    app::start_menu menu(opener, settings);
    menu.show();
    return application.exec();
}
