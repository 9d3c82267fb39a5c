// Assembly and guide check boxes of a mechanism window.
#include "mechanism_window/view_choices.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

#include "run/run_pictures.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"

namespace sim {

namespace {

constexpr int kRowGap = 6;   // between one row's caption and the next

constexpr int kCaptionGap = 4;   // between a caption's text and its box

// More assembly boxes than this go in a grid rather than a row each, this many a row.
constexpr std::size_t kBranchRowsAtMost = 3;
constexpr int kCellsARow = 3;

// Where the rows' boxes start: right of the widest caption, within the column.
int BoxLeft(const QWidget* form, const std::vector<std::string>& captions,
            const ViewChoices::Column& column)
{
    int widest = 0;
    for (const std::string& caption : captions)
        for (const QString& text : widgets::TranslateCoreInBoth(caption))
            widest = std::max(widest, form->fontMetrics().horizontalAdvance(text));
    return std::clamp(column.captionLeft + widest + kCaptionGap, column.boxLeft,
                      std::max(column.boxLeft, column.right - column.boxSide));
}

// One row: the caption, wrapped where it is wider than the room left of the box, and the box
// centred on it. Returns the box; `top` moves below the row.
// `caption` and `description` are marked core texts, shown in the language in force.
QCheckBox* MakeRow(QWidget* form, const std::string& caption, const std::string& description,
                   const QString& name, const ViewChoices::Column& column, int boxLeft, int& top)
{
    auto* label = new QLabel(form);
    label->setObjectName(name + "_caption");
    label->setWordWrap(true);
    const int width = boxLeft - kCaptionGap - column.captionLeft;
    int height = column.boxSide;
    for (const QString& text : widgets::TranslateCoreInBoth(caption)) {
        label->setText(text);
        height = std::max(height, label->heightForWidth(width));
    }
    label->setGeometry(column.captionLeft, top, width, height);
    auto* box = new QCheckBox(form);
    box->setObjectName(name);
    box->setGeometry(boxLeft, top + (height - column.boxSide) / 2, column.boxSide, column.boxSide);
    label->setBuddy(box);
    widgets::FollowLanguage(label, [label, box, caption, description] {
        label->setText(widgets::TranslateCore(caption));
        widgets::NameForAccessibility(box, label->text());
        box->setToolTip(widgets::TranslateCore(description));
        label->setToolTip(box->toolTip());
    });
    top += height + kRowGap;
    return box;
}

// The assembly box of `input` in a grid under one "もう一方の組み方" caption, for a linkage's many
// joints: cell `index`, captioned by its joint's name, three a row. Its accessible name and
// tooltip keep the whole caption. `top` moves below the grid after its last cell.
QCheckBox* MakeGridCell(QWidget* form, const InputBox& input, const QString& name,
                        const ViewChoices::Column& column, std::size_t index, int& top)
{
    const int cell = static_cast<int>(index) % kCellsARow;
    if (index == 0) {
        auto* heading = new QLabel(form);
        heading->setObjectName("CheckBranches_caption");
        heading->setGeometry(column.captionLeft, top, column.right - column.captionLeft,
                             column.boxSide + 2);
        widgets::FollowLanguage(heading, [heading] {
            heading->setText(widgets::TranslateCore(kOtherAssemblyCaption));
        });
        top += column.boxSide + kRowGap;
    }
    const int cellWidth = (column.right - column.captionLeft) / kCellsARow;
    const int left = column.captionLeft + cell * cellWidth;
    auto* label = new QLabel(QString::fromStdString(input.key), form);
    label->setObjectName(name + "_caption");
    label->setGeometry(left, top, cellWidth - column.boxSide - kCaptionGap, column.boxSide);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* box = new QCheckBox(form);
    box->setObjectName(name);
    box->setGeometry(left + cellWidth - column.boxSide - kCaptionGap, top, column.boxSide,
                     column.boxSide);
    label->setBuddy(box);
    widgets::FollowLanguage(label, [label, box, input] {
        widgets::NameForAccessibility(box, widgets::TranslateCore(input.caption));
        box->setToolTip(widgets::TranslateCore(input.description));
        label->setToolTip(box->toolTip());
    });
    if (cell == kCellsARow - 1)
        top += column.boxSide + kRowGap;
    return box;
}

}

ViewChoices::ViewChoices(QWidget* form, const Mechanism& mechanism, const Column& column,
                         std::function<void(DrawingOptions)> drawingChanged)
{
    std::vector<const InputBox*> inputs;
    std::vector<std::string> captions{kGuidesChoice.caption, kVelocityChoice.caption,
                                      kAccelerationChoice.caption, kCentresChoice.caption};
    for (const InputBox& input : mechanism.inputs)
        if (input.kind == InputKind::Branch) {
            inputs.push_back(&input);
            captions.push_back(input.caption);
        }
    if (inputs.size() > kBranchRowsAtMost)
        captions.resize(4);   // the assembly boxes go in a grid of their own
    const int boxLeft = BoxLeft(form, captions, column);
    int top = column.top;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const InputBox* input = inputs[i];
        const QString name = "Check_" + QString::fromStdString(input->key);
        QCheckBox* box =
            inputs.size() > kBranchRowsAtMost
                ? MakeGridCell(form, *input, name, column, i, top)
                : MakeRow(form, input->caption, input->description, name, column, boxLeft, top);
        box->setProperty(kInputKeyProperty, QString::fromStdString(input->key));
        // A linkage file may make the other assembly its own default.
        box->setChecked(input->defaultText == kOtherBranchText);
        branches_.push_back({input->key, box});
    }
    if (inputs.size() > kBranchRowsAtMost && inputs.size() % kCellsARow != 0)
        top += column.boxSide + kRowGap;   // below the grid's last, shorter row
    guides_ =
        MakeRow(form, kGuidesChoice.caption, kGuidesChoice.description, "CheckGuides", column, boxLeft, top);
    velocities_ = MakeRow(form, kVelocityChoice.caption, kVelocityChoice.description, "CheckVelocity", column,
                          boxLeft, top);
    accelerations_ = MakeRow(form, kAccelerationChoice.caption, kAccelerationChoice.description,
                             "CheckAcceleration", column, boxLeft, top);
    centres_ =
        MakeRow(form, kCentresChoice.caption, kCentresChoice.description, "CheckCentres", column, boxLeft, top);
    bottom_ = top - kRowGap;
    auto changed = [this, drawingChanged = std::move(drawingChanged)] {
        drawingChanged(drawingOptions());
    };
    for (QCheckBox* box : {guides_, velocities_, accelerations_, centres_})
        QObject::connect(box, &QCheckBox::toggled, changed);
}

void ViewChoices::chooseBranches(InputEntries& inputs) const
{
    for (const BranchBox& branch : branches_)
        inputs[branch.key] =
            branch.box->isChecked() ? numeric::Branch::Other : numeric::Branch::Usual;
}

void ViewChoices::setBranches(const InputEntries& inputs)
{
    for (const BranchBox& branch : branches_) {
        const auto entry = inputs.find(branch.key);
        if (entry == inputs.end())
            continue;
        if (const auto* chosen = std::get_if<numeric::Branch>(&entry->second))
            branch.box->setChecked(*chosen == numeric::Branch::Other);
        else   // typed as on the command line
            branch.box->setChecked(std::get<std::string>(entry->second) == kOtherBranchText);
    }
}

DrawingOptions ViewChoices::drawingOptions() const
{
    return {.guides = guides_->isChecked(),
            .velocities = velocities_->isChecked(),
            .accelerations = accelerations_->isChecked(),
            .centres = centres_->isChecked(),
            .translate = widgets::TranslateCoreText};
}

}
