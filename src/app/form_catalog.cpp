// Which form each menu item opens: the mechanism windows, the test benches and the settings.
#include "app/form_catalog.h"

#include "app/form_opener.h"
#include "app/settings_dialog.h"
#include "mechanisms/catalog.h"
#include "mechanism_window/mechanism_window.h"
#include "testbench/bisection_window.h"
#include "testbench/closure_window.h"
#include "testbench/gauss_window.h"

namespace app {

void RegisterForms(FormOpener& opener, sim::Settings& settings)
{
    using Kind = FormOpener::Kind;
    for (const sim::Mechanism* mechanism : mechanisms::AllMechanisms())
        opener.registerForm(
            QString::fromStdString(mechanism->menuName),
            mechanism->oneWindow ? Kind::Shared : Kind::NewInstance,
            [mechanism, &settings] { return new sim::MechanismWindow(*mechanism, settings); });

    opener.registerForm("gauss_test", Kind::Shared,
                        [] { return new testbench::GaussEliminationTest; });
    opener.registerForm("lady_test", Kind::Shared, [] { return new testbench::ClosureTest; });
    opener.registerForm("nibunhou_test", Kind::Shared, [] { return new testbench::BisectionTest; });
    opener.registerForm("settei", Kind::Shared,
                        [&settings] { return new SettingsDialog(settings); });
}

}
