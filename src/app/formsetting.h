// The settings dialog: the user sets the cycle time T and the division count N here, and only
// usable values reach the program-wide settings.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

class formsetting : public QWidget {
    Q_OBJECT
public:
    explicit formsetting(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Text1;   // cycle time T, seconds
    QLabel* Label2;
    QLineEdit* Text2;   // division count N
    QPushButton* Command1;
    QLabel* lblMessage;   // why the last "OK" was refused; empty otherwise

private:
    // "OK": stores both values and closes, or shows why not and changes nothing.
    void Command1_Click();
};

}
