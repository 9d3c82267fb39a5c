// Draws the program's icon at build time: the main menu's four-bar logo on a light rounded
// tile, as mechsim.svg and as mechsim-48.png, mechsim-128.png and mechsim-256.png.
//   mechsim_icon OUTPUT_DIR
// The drawing is made in a square of 128 units and scaled, so strokes keep their share of the
// icon; the 48 px picture is drawn in a smaller square so that its strokes stay bold enough.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>

#include "app/logo_picture.h"

namespace {

constexpr double kSide = 128;
constexpr int kPngSides[] = {48, 128, 256};

// The side of the square drawn for a picture of `pixels`: strokes are in these units.
double DrawnSide(int pixels)
{
    return pixels < 64 ? 80 : kSide;
}

void PaintIcon(QPainter& p, double side)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(250, 248, 242));
    const double corner = side * 0.17;
    p.drawRoundedRect(QRectF(3, 3, side - 6, side - 6), corner, corner);
    // The logo's frame is 5.6 wide by 4.4 high; centred in the tile with a small margin.
    const double width = side - 14, height = width * 4.4 / 5.6;
    app::PaintLogo(p, app::LogoPicture::Motif::FourBar,
                   QRectF((side - width) / 2, (side - height) / 2, width, height));
}

bool WriteSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSide, kSide));
    svg.setViewBox(QRectF(0, 0, kSide, kSide));
    svg.setTitle("mechsim");
    svg.setDescription("A four-bar linkage with its coupler curve");
    QPainter p;
    if (!p.begin(&svg))
        return false;
    PaintIcon(p, kSide);
    return p.end();
}

bool WritePng(const QString& path, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const double drawn = DrawnSide(side);
    p.scale(side / drawn, side / drawn);
    PaintIcon(p, drawn);
    p.end();
    return image.save(path, "PNG");
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mechsim_icon OUTPUT_DIR\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int guiArgc = 1;
    QGuiApplication application(guiArgc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "mechsim_icon: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = WriteSvg(dir.filePath("mechsim.svg"));
    for (int side : kPngSides)
        ok = WritePng(dir.filePath(QString("mechsim-%1.png").arg(side)), side) && ok;
    if (!ok)
        std::fprintf(stderr, "mechsim_icon: could not write the icon files in %s\n", argv[1]);
    return ok ? 0 : 1;
}
