// Accessible names from captions, or control names where there is no caption.
#include "plot/qt/accessible_names.h"

#include <QWidget>

namespace plot {

void NameForAccessibility(QWidget* w, const QString& caption)
{
    w->setAccessibleName(caption.isEmpty() ? w->objectName() : caption);
}

}
