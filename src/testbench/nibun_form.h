// The bisection test window: the root of x*x - 2 in [0, 2] to the accuracy 1/2^n.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace testbench {

class formnibun : public QWidget {
    Q_OBJECT
public:
    explicit formnibun(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("formnibun"); }

private:
    void Command1_Click();

    QLineEdit* text1_ = nullptr;   // the result
    QLineEdit* text2_ = nullptr;   // the number of halvings n
    QLabel* message_ = nullptr;
};

}
