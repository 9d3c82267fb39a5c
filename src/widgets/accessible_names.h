// Accessible names for the controls of every form, so screen readers and UI tests find them.
#pragma once

#include <QString>

class QWidget;

namespace widgets {

// Names `w` for assistive technology by the caption beside it, or by its control name
// (objectName) when it has no caption.
void NameForAccessibility(QWidget* w, const QString& caption = QString());

}
