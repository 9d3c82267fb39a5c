// GIF encoding through giflib's sequential writer into a byte string.
#include "plot/qt/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace plot {

namespace {

constexpr int kMaxColours = 256;

int WriteToString(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

// The smallest rectangle holding every pixel where the two images differ; empty when equal.
QRect ChangedRect(const QImage& a, const QImage& b)
{
    const int w = a.width(), h = a.height();
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    int top = -1, bottom = -1, left = w, right = -1;
    for (int y = 0; y < h; ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(ra, rb, rowBytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (ra[x] == rb[x])
            ++x;
        left = std::min(left, x);
        x = w - 1;
        while (ra[x] == rb[x])
            --x;
        right = std::max(right, x);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Colour indices of one frame: the exact colours in order of first appearance; past the table's
// room a colour takes its nearest neighbour (never a dithered mix).
class FramePalette {
public:
    explicit FramePalette(int room) : room_(room) {}

    int indexOf(QRgb colour)
    {
        colour |= 0xff000000u;
        if (last_ >= 0 && colours_[static_cast<std::size_t>(last_)] == colour)
            return last_;
        const auto found = std::find(colours_.begin(), colours_.end(), colour);
        if (found != colours_.end())
            return last_ = static_cast<int>(found - colours_.begin());
        if (static_cast<int>(colours_.size()) < room_) {
            colours_.push_back(colour);
            return last_ = static_cast<int>(colours_.size()) - 1;
        }
        return nearest(colour);
    }
    const std::vector<QRgb>& colours() const { return colours_; }

private:
    int nearest(QRgb colour) const
    {
        auto distance = [colour](QRgb c) {
            const int dr = qRed(c) - qRed(colour), dg = qGreen(c) - qGreen(colour),
                      db = qBlue(c) - qBlue(colour);
            return dr * dr + dg * dg + db * db;
        };
        const auto best = std::min_element(colours_.begin(), colours_.end(), [&](QRgb a, QRgb b) {
            return distance(a) < distance(b);
        });
        return static_cast<int>(best - colours_.begin());
    }

    int room_;
    std::vector<QRgb> colours_;
    int last_ = -1;
};

}

GifWriter::GifWriter(QSize size, int delayCentiseconds)
    : size_(size.expandedTo(QSize(1, 1))), delay_(std::clamp(delayCentiseconds, 0, 65535))
{
    int error = 0;
    gif_ = EGifOpen(&bytes_, WriteToString, &error);
    if (!gif_) {
        failed_ = true;
        return;
    }
    EGifSetGifVersion(gif_, true);
    // No global colour table: every frame carries its own.
    failed_ = EGifPutScreenDesc(gif_, size_.width(), size_.height(), 8, 0, nullptr) != GIF_OK;
    // Loop for ever: the application extension that viewers read as the repeat count.
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    failed_ = failed_ || EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK
              || EGifPutExtensionBlock(gif_, sizeof kApplication, kApplication) != GIF_OK
              || EGifPutExtensionBlock(gif_, sizeof kLoopForever, kLoopForever) != GIF_OK
              || EGifPutExtensionTrailer(gif_) != GIF_OK;
}

GifWriter::~GifWriter()
{
    if (gif_)
        EGifCloseFile(gif_, nullptr);
}

bool GifWriter::addFrame(const QImage& frame)
{
    if (failed_ || !gif_ || frame.size() != size_)
        return false;
    QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (previous_.isNull()) {
        previous_ = image;   // read, never shown: the first frame has no transparent pixels
        failed_ = !put(image, image.rect(), false);
    } else {
        // An unchanged frame still takes its time: one transparent pixel.
        const QRect changed = ChangedRect(previous_, image);
        failed_ = !put(image, changed.isEmpty() ? QRect(0, 0, 1, 1) : changed, true);
    }
    previous_ = std::move(image);
    ++frames_;
    return !failed_;
}

bool GifWriter::put(const QImage& frame, QRect changed, bool transparentUnchanged)
{
    // Index 0 is the transparent colour where unchanged pixels show the frame before; the
    // frame's own colours follow it in order of first appearance.
    const int first = transparentUnchanged ? 1 : 0;
    FramePalette palette(kMaxColours - first);
    std::vector<GifPixelType> indices(static_cast<std::size_t>(changed.width()) * changed.height());
    GifPixelType* out = indices.data();
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        const auto* before = reinterpret_cast<const QRgb*>(previous_.constScanLine(y));
        for (int x = changed.left(); x <= changed.right(); ++x)
            *out++ = transparentUnchanged && before[x] == now[x]
                         ? 0
                         : static_cast<GifPixelType>(first + palette.indexOf(now[x]));
    }

    const int used = first + static_cast<int>(palette.colours().size());
    int tableSize = 2;
    while (tableSize < used)
        tableSize *= 2;
    std::vector<GifColorType> table(static_cast<std::size_t>(tableSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.colours().size(); ++i) {
        const QRgb c = palette.colours()[i];
        table[first + i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                            static_cast<GifByteType>(qBlue(c))};
    }
    ColorMapObject* map = GifMakeMapObject(tableSize, table.data());
    if (!map)
        return false;

    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay_,
                                 transparentUnchanged ? 0 : NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    bool ok = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK
              && EGifPutImageDesc(gif_, changed.left(), changed.top(), changed.width(),
                                  changed.height(), false, map)
                     == GIF_OK;
    for (int row = 0; ok && row < changed.height(); ++row)
        ok = EGifPutLine(gif_, indices.data() + static_cast<std::size_t>(row) * changed.width(),
                         changed.width())
             == GIF_OK;
    GifFreeMapObject(map);
    return ok;
}

std::string GifWriter::finish()
{
    if (!gif_)
        return {};
    const bool closed = EGifCloseFile(gif_, nullptr) == GIF_OK;
    gif_ = nullptr;
    if (failed_ || !closed || frames_ == 0)
        return {};
    return std::move(bytes_);
}

}
