// The main menu's logo pictures, drawn in code: a four-bar linkage with its coupler curve and
// a small crank-and-piston.
#pragma once

#include <QWidget>

namespace app {

class LogoPicture : public QWidget {
    Q_OBJECT
public:
    enum class Motif { FourBar, CrankPiston };

    LogoPicture(Motif motif, QSize size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Motif motif_;
};

}
