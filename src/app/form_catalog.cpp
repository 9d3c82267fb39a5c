// Which form each menu item opens: the mechanism windows, the test benches and the settings.
#include "app/form_catalog.h"

#include "app/form_opener.h"
#include "app/settings_dialog.h"
#include "mechanisms/catalog.h"
#include "mechanism_window/simulation_form.h"
#include "testbench/bisection_window.h"
#include "testbench/closure_window.h"
#include "testbench/gauss_window.h"

namespace app {

void RegisterForms(FormOpener& opener, sim::Settings& settings)
{
    using Kind = FormOpener::Kind;
    // Menu item -> mechanism; the crank-and-piston window is the one shared mechanism form.
    struct MechanismItem {
        const char* menuName;
        const char* command;
        Kind kind;
    };
    static constexpr MechanismItem kMechanismItems[] = {
        {"jun2r", "2r", Kind::NewInstance},          {"jun3r", "3r", Kind::NewInstance},
        {"choku3r", "3r-line", Kind::NewInstance},   {"enn3r", "3r-arc", Kind::NewInstance},
        {"parallel", "parallel", Kind::NewInstance}, {"link4", "four-bar", Kind::NewInstance},
        {"slider_kikou", "slider", Kind::Shared},
    };
    for (const MechanismItem& item : kMechanismItems)
        if (const sim::Mechanism* mechanism = mechanisms::FindMechanism(item.command))
            opener.registerForm(item.menuName, item.kind, [mechanism, &settings] {
                return new sim::SimulationForm(*mechanism, settings);
            });

    opener.registerForm("gauss_test", Kind::Shared,
                        [] { return new testbench::GaussEliminationTest; });
    opener.registerForm("lady_test", Kind::Shared, [] { return new testbench::ClosureTest; });
    opener.registerForm("nibunhou_test", Kind::Shared, [] { return new testbench::BisectionTest; });
    opener.registerForm("settei", Kind::Shared,
                        [&settings] { return new SettingsDialog(settings); });
}

}
