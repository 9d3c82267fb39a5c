// Assembly and guide check boxes of a mechanism window.
#include "sim/qt/view_choices.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

#include "widgets/accessible_names.h"

namespace sim {

namespace {

const char* const kGuidesCaption = "補助線";
constexpr int kRowGap = 6;   // between one row's caption and the next

constexpr int kCaptionGap = 4;   // between a caption's text and its box

// Where the rows' boxes start: right of the widest caption, within the column.
int BoxLeft(const QWidget* form, const std::vector<QString>& captions,
            const ViewChoices::Column& column)
{
    int widest = 0;
    for (const QString& caption : captions)
        widest = std::max(widest, form->fontMetrics().horizontalAdvance(caption));
    return std::clamp(column.captionLeft + widest + kCaptionGap, column.boxLeft,
                      std::max(column.boxLeft, column.right - column.boxSide));
}

// One row: the caption, wrapped where it is wider than the room left of the box, and the box
// centred on it. Returns the box; `top` moves below the row.
QCheckBox* MakeRow(QWidget* form, const QString& caption, const QString& name,
                   const ViewChoices::Column& column, int boxLeft, int& top)
{
    auto* label = new QLabel(caption, form);
    label->setObjectName(name + "_caption");
    label->setWordWrap(true);
    const int width = boxLeft - kCaptionGap - column.captionLeft;
    const int height = std::max(column.boxSide, label->heightForWidth(width));
    label->setGeometry(column.captionLeft, top, width, height);
    auto* box = new QCheckBox(form);
    box->setObjectName(name);
    widgets::NameForAccessibility(box, caption);
    box->setGeometry(boxLeft, top + (height - column.boxSide) / 2, column.boxSide, column.boxSide);
    label->setBuddy(box);
    top += height + kRowGap;
    return box;
}

}

ViewChoices::ViewChoices(QWidget* form, const Mechanism& mechanism, const Column& column,
                         std::function<void(DrawingOptions)> drawingChanged)
{
    std::vector<const InputBox*> inputs;
    std::vector<QString> captions{kGuidesCaption};
    for (const InputBox& input : mechanism.inputs)
        if (input.kind == InputKind::Branch) {
            inputs.push_back(&input);
            captions.push_back(QString::fromStdString(input.caption));
        }
    const int boxLeft = BoxLeft(form, captions, column);
    int top = column.top;
    for (const InputBox* input : inputs)
        branches_.push_back(
            {static_cast<std::size_t>(input->index),
             MakeRow(form, QString::fromStdString(input->caption),
                     "Check_" + QString::fromStdString(input->key), column, boxLeft, top)});
    guides_ = MakeRow(form, kGuidesCaption, "CheckGuides", column, boxLeft, top);
    bottom_ = top - kRowGap;
    QObject::connect(guides_, &QCheckBox::toggled,
                     [this, changed = std::move(drawingChanged)] { changed(drawingOptions()); });
}

void ViewChoices::writeBranchTexts(std::vector<std::string>& texts) const
{
    for (const BranchBox& branch : branches_) {
        if (texts.size() <= branch.slot)
            texts.resize(branch.slot + 1);
        texts[branch.slot] = branch.box->isChecked() ? kOtherBranchText : kUsualBranchText;
    }
}

DrawingOptions ViewChoices::drawingOptions() const
{
    return {.guides = guides_->isChecked()};
}

}
