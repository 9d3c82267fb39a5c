// Helpers for window tests: a stand-in form and tidying up the windows a test opened.
#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace apptest {

// A form with one box holding its design-time text.
class StandInForm : public QWidget {
public:
    StandInForm()
    {
        box = new QLineEdit("design", this);
        (new QVBoxLayout(this))->addWidget(box);
    }
    QLineEdit* box;
};

// A form whose close handler refuses, as a form busy with something might.
class RefusingForm : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// Runs the deletions that closed WA_DeleteOnClose windows have scheduled.
inline void ProcessDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes every window still shown, so one test's windows never leak into the next.
inline void CloseAllWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    ProcessDeletions();
}

}
