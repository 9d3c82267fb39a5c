// An animated GIF built frame by frame with giflib, in memory. Every frame gets a colour table
// of exactly the colours it shows (no dithering, no quantising while there are at most 255 of
// them) and stores only the rectangle that changed since the frame before, the unchanged
// pixels inside it transparent, so a moving mechanism costs little per frame.
#pragma once

#include <QImage>
#include <QSize>
#include <string>

struct GifFileType;

namespace plot {

class GifWriter {
public:
    // delayCentiseconds: how long each frame stays (5 for 20 frames per second). Loops forever.
    GifWriter(QSize size, int delayCentiseconds);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Adds a frame of the writer's size (in device pixels); false when it has another size or
    // the encoder failed.
    bool addFrame(const QImage& frame);

    // Ends the animation and returns its bytes; "" when nothing could be encoded.
    std::string finish();

private:
    bool put(const QImage& frame, QRect changed, bool transparentUnchanged);

    QSize size_;
    int delay_;
    GifFileType* gif_ = nullptr;
    std::string bytes_;
    QImage previous_;
    int frames_ = 0;
    bool failed_ = false;
};

}
