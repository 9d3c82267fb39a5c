// The page of a resizable mechanism window: controls keep their design places, the pictures
// take the room the window has beyond its design size, and the rows below them move down.
#include "mechanism_window/growing_page.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "plot/qt/picture_box.h"

namespace sim {

namespace {

// Room left on the screen for the window system's title bar and borders.
constexpr QSize kDecoration(16, 48);

class GrowingPage : public QWidget {
public:
    GrowingPage(WindowPictures pictures, std::function<void()> redraw)
        : pictures_(pictures), redraw_(std::move(redraw))
    {
    }

    // Takes the design geometry of every control as it stands now.
    void takeDesign(QSize design)
    {
        design_ = design;
        setMinimumSize(design);
        graph1_ = pictures_.graph1->geometry();
        frame_ = graph1_.size() - pictures_.graph1->ImageCanvas::logicalSize();
        graph2_ = pictures_.graph2->geometry();
        view_ = pictures_.view->geometry();
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!IsPicture(child))
                controls_.push_back({child, child->geometry()});
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (design_.isEmpty())
            return;
        const QSize extra = (size() - design_).expandedTo(QSize(0, 0));
        const PictureGrowth grown = GrowPictures(graph1_.size() - frame_, graph2_.size() - frame_,
                                                 view_.size() - frame_, extra);
        for (const Placed& c : controls_) {
            QRect g = c.design;
            if (g.right() < view_.left()) {
                // The input column keeps its place.
            } else if (g.top() > view_.bottom()) {
                // Rows below the view (the message line) move down and span its width.
                g.translate(0, extra.height());
                if (g.right() >= view_.right() - 1)
                    g.setRight(g.right() + extra.width());
            } else {
                if (g.center().y() > graph1_.bottom())
                    g.translate(0, grown.graphsDown);
                if (g.left() >= graph2_.left())
                    g.translate(grown.graph2Right, 0);
            }
            c.widget->setGeometry(g);
        }
        bool changed = false;
        changed |= Place(pictures_.graph1, graph1_.topLeft(), grown.graph1);
        changed |=
            Place(pictures_.graph2, graph2_.topLeft() + QPoint(grown.graph2Right, 0), grown.graph2);
        changed |= Place(pictures_.view, view_.topLeft() + QPoint(0, grown.graphsDown), grown.view);
        if (changed && redraw_)
            redraw_();
    }

private:
    struct Placed {
        QWidget* widget;
        QRect design;
    };

    bool IsPicture(const QWidget* w) const
    {
        return w == pictures_.graph1 || w == pictures_.graph2 || w == pictures_.view;
    }

    // Moves a picture and gives it its inner size; true when the size changed.
    static bool Place(plot::PictureBox* picture, QPoint topLeft, QSize inner)
    {
        picture->move(topLeft);
        if (picture->ImageCanvas::logicalSize() == inner)
            return false;
        picture->setInnerSize(inner);
        return true;
    }

    WindowPictures pictures_;
    std::function<void()> redraw_;
    QSize design_;
    QRect graph1_, graph2_, view_;
    QSize frame_;   // a picture's frame around its inner size, taken at the design size
    std::vector<Placed> controls_;
};

}

PictureGrowth GrowPictures(QSize graph1, QSize graph2, QSize view, QSize extra)
{
    const int graphsTaller = extra.height() * graph1.height() / (graph1.height() + view.height());
    const int graph1Wider = extra.width() / 2;
    return {graph1 + QSize(graph1Wider, graphsTaller),
            graph2 + QSize(extra.width() - graph1Wider, graphsTaller),
            view + QSize(extra.width(), extra.height() - graphsTaller), graph1Wider, graphsTaller};
}

void MakeResizable(QWidget* window, WindowPictures pictures, std::function<void()> redraw)
{
    const QSize design = window->minimumSize();
    auto* page = new GrowingPage(pictures, std::move(redraw));
    // The controls move onto the page at the same coordinates; hidden ones stay hidden.
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool hidden = child->isHidden();
        child->setParent(page);
        child->setVisible(!hidden);
    }
    page->resize(design);
    page->takeDesign(design);

    auto* scroll = new QScrollArea(window);
    scroll->setObjectName("pageScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QSize opening = design;
    if (const QScreen* screen =
            window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        opening = opening.boundedTo(screen->availableGeometry().size() - kDecoration);
    window->resize(opening);
}

}
