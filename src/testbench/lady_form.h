// The closure test window: joint C of the two-link chain from A at the origin to a typed B,
// its coordinates and a drawing of the chain A-C-B.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;

namespace plot {
class PictureBox;
}

namespace testbench {

class Formlady : public QWidget {
    Q_OBJECT
public:
    // The chain drawn by the last click: points 0..n, A first and B last.
    struct PointChain {
        int n = 0;
        std::array<double, 3> x{}, y{};
    };

    explicit Formlady(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("Formlady"); }

    std::optional<PointChain> lastChain() const { return lastChain_; }

private:
    void Command1_Click();

    std::array<QLineEdit*, 7> text1_{};   // Text1(0..4, 6); index 5 is not used
    QLabel* message_ = nullptr;
    plot::PictureBox* picture1_ = nullptr;
    std::optional<PointChain> lastChain_;
};

}
