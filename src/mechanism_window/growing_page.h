// A mechanism window laid out at its design coordinates, made resizable: its controls move
// onto a page inside a scroll area (scroll bars where the window is smaller than the design),
// and beyond the design size the three pictures grow with the window and are drawn again.
#pragma once

#include <QSize>
#include <functional>

class QWidget;

namespace plot {
class PictureBox;
}

namespace sim {

struct WindowPictures {
    plot::PictureBox* graph1 = nullptr;
    plot::PictureBox* graph2 = nullptr;
    plot::PictureBox* view = nullptr;
};

// Call once every control of `window` stands at its design place and the window has its
// design size (a fixed size, which this lifts). `redraw` draws the pictures again after they
// changed size. The window opens at the design size, no larger than the screen's free area.
void MakeResizable(QWidget* window, WindowPictures pictures, std::function<void()> redraw);

// The inner sizes of the three pictures in a window whose page is `extra` larger than the
// design: the graphs share the extra width, and the extra height goes to the graphs and the
// view in proportion to their design heights.
struct PictureGrowth {
    QSize graph1, graph2, view;
    int graph2Right = 0;   // how far the second graph and its caption move right
    int graphsDown = 0;    // how far the rows between the graphs and the view move down
};
PictureGrowth GrowPictures(QSize graph1, QSize graph2, QSize view, QSize extra);

}
