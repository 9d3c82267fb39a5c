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

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    // "OK" writes `settings`, which belongs to the application and outlives the dialog.
    explicit SettingsDialog(sim::Settings& settings, QWidget* parent = nullptr);

    QLabel* cycleTimeCaption;
    QLineEdit* cycleTimeBox;   // cycle time T, seconds
    QLabel* divisionsCaption;
    QLineEdit* divisionsBox;   // division count N
    QPushButton* okButton;
    QLabel* refusalLabel;   // why the last "OK" was refused; empty otherwise

private:
    // "OK": stores both values and closes, or shows why not and changes nothing.
    void confirm();

    sim::Settings& settings_;
    std::string refusal_;   // the core's text of the message shown, "" before any refusal
};

}
