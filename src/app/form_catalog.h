// Which form each menu item of the main menu opens, and how (fresh window or shared instance).
#pragma once

namespace app {

class FormOpener;

void RegisterForms(FormOpener& opener);

}
