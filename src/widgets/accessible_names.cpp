// Accessible names from captions, or control names where there is no caption.
#include "widgets/accessible_names.h"

#include <QWidget>

namespace widgets {

void NameForAccessibility(QWidget* w, const QString& caption)
{
    w->setAccessibleName(caption.isEmpty() ? w->objectName() : caption);
}

}
