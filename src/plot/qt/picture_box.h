// The picture-box widget: keeps what is drawn on it until cleared, measures in millimetres at
// the screen's logical resolution and paints crisply at the device pixel ratio.
#pragma once

#include <QWidget>
#include <optional>

#include "plot/canvas.h"
#include "plot/qt/raster_picture.h"

namespace plot {

class PictureBox : public QWidget, public Canvas {
    Q_OBJECT
public:
    // logicalSize: the fixed inner size in logical pixels.
    explicit PictureBox(QSize logicalSize, QWidget* parent = nullptr);

    double widthMm() const override;
    double heightMm() const override;
    const QImage& image() const;   // what is shown, at device resolution

protected:
    void doClear() override;
    void doLine(PointMm a, PointMm b, Rgb colour) override;
    void doCircle(PointMm centre, double radius, Rgb colour) override;
    void doText(PointMm topLeft, std::string_view utf8) override;
    void doPolyline(std::span<const PointMm> points, Rgb colour) override;
    void paintEvent(QPaintEvent* event) override;

private:
    RasterPicture raster_;
};

}
