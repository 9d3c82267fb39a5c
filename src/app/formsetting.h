// The settings dialog: the user sets the cycle time T and the division count N here, and only
// usable values reach the application's settings.
#pragma once

#include <QWidget>
#include <string>

#include "run/settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

class formsetting : public QWidget {
    Q_OBJECT
public:
    // "OK" writes `settings`, which belongs to the application and outlives the dialog.
    explicit formsetting(sim::Settings& settings, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Text1;   // cycle time T, seconds
    QLabel* Label2;
    QLineEdit* Text2;   // division count N
    QPushButton* Command1;
    QLabel* lblMessage;   // why the last "OK" was refused; empty otherwise

private:
    // "OK": stores both values and closes, or shows why not and changes nothing.
    void Command1_Click();

    sim::Settings& settings_;
    std::string refusal_;   // the core's text of the message shown, "" before any refusal
};

}
