// The main menu's logo pictures, drawn in code: a four-bar linkage with its coupler curve and
// a small crank-and-piston. The program's icon is the four-bar drawn by the same code.
#pragma once

#include <QWidget>

class QPainter;

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

// Draws `motif` into `area` (widget pixels, y down); line widths are in the painter's units.
void PaintLogo(QPainter& painter, LogoPicture::Motif motif, const QRectF& area);

}
