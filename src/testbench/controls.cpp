// Controls of the test-bench windows: named boxes and labels, reading numbers from the boxes
// and showing results in them.
#include "testbench/controls.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "numeric/number_text.h"
#include "widgets/accessible_names.h"

namespace testbench {

BoxValues ReadBoxes(std::span<const NumberBox> boxes)
{
    BoxValues result;
    for (const NumberBox& b : boxes) {
        const auto value = numeric::ReadNumber(b.box->text().toStdString());
        if (!value) {
            result.values.clear();
            result.failedCaption = b.caption;
            result.beyondRange = numeric::IsBeyondRange(b.box->text().toStdString());
            return result;
        }
        result.values.push_back(*value);
    }
    return result;
}

QString BoxValues::message() const
{
    if (ok())
        return {};
    return (beyondRange ? QCoreApplication::translate("testbench",
                                                      "「%1」の値が大きすぎます（範囲外です）。")
                        : QCoreApplication::translate("testbench", "「%1」は数値ではありません。"))
        .arg(failedCaption);
}

QString NumberText(double value)
{
    if (!std::isfinite(value))
        return {};
    return QString::fromStdString(numeric::FormatNumber(value));
}

QLineEdit* MakeBox(QWidget* parent, const QString& objectName, const QString& text,
                   const QString& caption, bool readOnly)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(objectName);
    widgets::NameForAccessibility(box, caption);
    box->setReadOnly(readOnly);
    return box;
}

void FitLongestNumber(QLineEdit* box)
{
    const int text =
        box->fontMetrics().horizontalAdvance(QStringLiteral("-1.2345678901234567e-308"));
    box->setMinimumWidth(text + 16);   // frame and text margins
}

QLabel* MakeLabel(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

QLabel* MakeCaption(QWidget* parent, const QString& objectName, const QString& text, QLineEdit* box)
{
    QLabel* label = MakeLabel(parent, objectName, text);
    label->setBuddy(box);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    widgets::NameForAccessibility(button, caption);
    return button;
}

}
