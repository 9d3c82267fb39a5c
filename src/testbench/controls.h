// Controls of the test-bench windows: named boxes and labels, reading numbers from the boxes
// and showing results in them.
#pragma once

#include <QString>
#include <span>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace testbench {

// A number box and the caption that names it in messages.
struct NumberBox {
    const QLineEdit* box;
    QString caption;
};

// The numbers of the boxes in their order, or (values empty) the first box that does not hold
// a number.
struct BoxValues {
    std::vector<double> values;
    QString failedCaption;      // empty when every box holds a number
    bool beyondRange = false;   // the failed box holds a number too large for any computation
    bool ok() const { return failedCaption.isEmpty(); }
    // The message naming the failed box, in the language in force.
    QString message() const;
};
BoxValues ReadBoxes(std::span<const NumberBox> boxes);

// Shortest text that reads back to the same double; empty text for a value that is not
// finite, so no NaN or infinity ever reaches a box.
QString NumberText(double value);

// A line edit named by its caption for assistive technology, or by its object name when the
// caption is empty; display-only boxes are read-only.
QLineEdit* MakeBox(QWidget* parent, const QString& objectName, const QString& text,
                   const QString& caption, bool readOnly = false);
// Widens a result box so the longest shortest-round-trip text fits without scrolling.
void FitLongestNumber(QLineEdit* box);
QLabel* MakeLabel(QWidget* parent, const QString& objectName, const QString& text);
// A caption label tied to its box (the box's buddy, so a screen reader names them together).
QLabel* MakeCaption(QWidget* parent, const QString& objectName, const QString& text,
                    QLineEdit* box);
QPushButton* MakeButton(QWidget* parent, const QString& objectName, const QString& caption);

}
