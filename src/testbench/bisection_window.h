// The bisection test window: the root of x*x - 2 in [0, 2] to the accuracy 1/2^n.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace testbench {

class BisectionTest : public QWidget {
    Q_OBJECT
public:
    explicit BisectionTest(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("formnibun"); }

private:
    // Halves [0, 2] the typed number of times and shows the root, or says why not.
    void findRoot();

    QLineEdit* answerBox_ = nullptr;     // the root found
    QLineEdit* halvingsBox_ = nullptr;   // the number of halvings n
    QLabel* message_ = nullptr;
};

}
