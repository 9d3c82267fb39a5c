// The main menu's "言語" (Language): Japanese or English for every open window at once.
#pragma once

class QMenuBar;

namespace app {

// Adds the menu at the end of `bar`. Its items name each language in that language, so a
// person who cannot read the interface in force still finds their own.
void AddLanguageMenu(QMenuBar* bar);

}
