// Finding a test-bench window's controls by object name, as a user finds them by caption.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace testbench_test {

template <class Control> Control& Find(QWidget& form, const QString& name)
{
    auto* c = form.findChild<Control*>(name);
    if (!c)
        throw std::runtime_error("no control " + name.toStdString());
    return *c;
}

inline QLineEdit& Box(QWidget& form, const QString& name)
{
    return Find<QLineEdit>(form, name);
}
inline QLabel& Label(QWidget& form, const QString& name)
{
    return Find<QLabel>(form, name);
}
inline void Click(QWidget& form)
{
    Find<QPushButton>(form, QStringLiteral("Command1")).click();
}

// A number shown in a box, read back exactly.
inline double Shown(QWidget& form, const QString& name)
{
    return std::stod(Box(form, name).text().toStdString());
}

}
