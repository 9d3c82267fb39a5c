// The Gaussian elimination test window: m x (X, Y) = v above, the solved system below.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLineEdit;

namespace testbench {

class GaussEliminationTest : public QWidget {
    Q_OBJECT
public:
    explicit GaussEliminationTest(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("Formgauss"); }

private:
    // Solves the typed system and shows X and Y in the lower rows, or says why not.
    void solve();

    // m(1,1), m(1,2), m(2,1), m(2,2), v(1), v(2): object names Text1_0 .. Text1_5.
    std::array<QLineEdit*, 6> coefficientBoxes_{};
    QLineEdit* messageBox_ = nullptr;   // the status line above the button
    QLineEdit* solutionX_ = nullptr;    // right-hand side of the solved system's first row
    QLineEdit* solutionY_ = nullptr;    // and of its second row
};

}
