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

class ClosureTest : public QWidget {
    Q_OBJECT
public:
    // The chain drawn by the last click: points 0..n, A first and B last.
    struct PointChain {
        int n = 0;
        std::array<double, 3> x{}, y{};
    };

    explicit ClosureTest(QWidget* parent = nullptr);
    static QString formName() { return QStringLiteral("Formlady"); }

    std::optional<PointChain> lastChain() const { return lastChain_; }

private:
    // The boxes from top to bottom: B's coordinates and the two link lengths are typed, the
    // joint C found is shown.
    enum Box { BX, BY, LinkA1, LinkA2, JointX, JointY, BoxCount };

    // Finds joint C for the typed B and links, shows it and draws the chain over the picture.
    void closeChain();

    std::array<QLineEdit*, BoxCount> boxes_{};
    QLabel* message_ = nullptr;
    plot::PictureBox* chainPicture_ = nullptr;
    std::optional<PointChain> lastChain_;
};

}
