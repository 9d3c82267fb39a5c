// The Gaussian elimination test window: m x (X, Y) = v above, the solved system below.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLineEdit;

namespace testbench {

class Formgauss : public QWidget {
    Q_OBJECT
public:
    explicit Formgauss(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("Formgauss"); }

private:
    void Command1_Click();

    std::array<QLineEdit*, 8> text1_{};   // Text1(0..7): m, v, and the names X, Y
    QLineEdit* text2_ = nullptr;          // status message
    QLineEdit* text3X_ = nullptr;         // Text3(4): solution X
    QLineEdit* text3Y_ = nullptr;         // Text3(5): solution Y
};

}
