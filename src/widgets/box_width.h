// The width a line edit needs to show a number of characters of its font whole.
#pragma once

class QLineEdit;

namespace widgets {

// Frame and margins included; characters are counted at the widest of the digits, sign,
// point and exponent letter, so any number of that many characters shows from its first.
int WidthForCharacters(const QLineEdit& box, int characters);

}
