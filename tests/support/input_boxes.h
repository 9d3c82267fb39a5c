// Finding a mechanism window's input box or assembly check box by its input's key, as a student
// finds it by its caption, whatever row the form puts it on.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>
#include <string>

#include "mechanism_window/view_choices.h"

template <typename Box = QLineEdit> Box* InputBoxOf(const QWidget& window, const std::string& key)
{
    for (Box* box : window.findChildren<Box*>())
        if (box->property(sim::kInputKeyProperty).toString().toStdString() == key)
            return box;
    return nullptr;
}
