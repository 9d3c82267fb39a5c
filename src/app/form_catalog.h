// Which form each menu item of the main menu opens, and how (fresh window or shared instance).
#pragma once

namespace sim {
struct Settings;
}

namespace app {

class FormOpener;

// The mechanism windows read `settings` at RUN and the settings dialog writes it; it belongs
// to the application and outlives every window.
void RegisterForms(FormOpener& opener, sim::Settings& settings);

}
