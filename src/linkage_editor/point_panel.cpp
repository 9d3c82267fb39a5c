// The editor's field panel: the selected point's name, kind and numbers, typed over to edit
// the model, and points added from the keyboard.
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "linkage/sketch.h"
#include "linkage_editor/editor_texts.h"
#include "linkage_editor/linkage_editor.h"
#include "linkage_editor/sketch_view.h"
#include "run/refusal_text.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"
#include "widgets/qt_string.h"

namespace linkage_editor {

using linkage::DriveKind;
using linkage::Joint;
using linkage::JointKind;
using linkage::Model;
using plot::WorldPoint;

void LinkageEditor::rebuildPanel()
{
    const std::vector<std::string> names = linkage::PointNames(model_);
    const auto found =
        selected_ ? std::find(names.begin(), names.end(), *selected_) : names.end();
    std::optional<std::pair<std::size_t, int>> shape;
    if (found != names.end()
        && (found - names.begin() != static_cast<long>(layout_.driven) || linkage::HasDrive(model_))) {
        const auto place = static_cast<std::size_t>(found - names.begin());
        const int kind = place < model_.ground.size() ? -1
                         : place == layout_.driven
                             ? -2 - static_cast<int>(model_.drive.kind)
                             : static_cast<int>(model_.joints[place - layout_.driven - 1].kind);
        shape = std::pair(place, kind);
    }
    // The same fields as shown: their values follow the model, the focus stays where it is.
    if (shape == panelShape_ && fields_->rowCount() > 0) {
        for (const auto& update : panelUpdates_)
            update();
        return;
    }
    panelShape_ = shape;
    panelUpdates_.clear();
    QWidget* focus = focusWidget();
    const QString focused =
        focus && panel_->isAncestorOf(focus) ? focus->objectName() : QString();
    while (fields_->rowCount() > 0)
        fields_->removeRow(0);
    if (!shape) {
        panelTitle_->setText(tr("点を選ぶとその値がここに出ます"));
        widgets::NameForAccessibility(panelTitle_, panelTitle_->text());
        return;
    }
    if (!focused.isEmpty())
        focusField(focused);
    const std::size_t place = shape->first;
    // The selected point's name in a model, found by its place.
    const auto nameIn = [place](const Model& m) { return linkage::PointNames(m)[place]; };

    // A text field showing `text` of the model: typing over it edits a copy of the model,
    // which is kept when it checks and refused in red otherwise.
    using Apply = std::function<std::optional<sim::Refusal>(Model&, const std::string&)>;
    auto addField = [this](const QString& caption, const char* objectName,
                           std::function<QString(const Model&)> text, Apply apply) {
        auto* label = new QLabel(caption, panel_);
        auto* box = new QLineEdit(text(model_), panel_);
        box->setObjectName(objectName);
        label->setBuddy(box);
        widgets::NameForAccessibility(box, caption);
        fields_->addRow(label, box);
        panelUpdates_.push_back([this, box, text] {
            if (box->text() != text(model_))
                box->setText(text(model_));
            widgets::MarkRefused(box, QString());
        });
        connect(box, &QLineEdit::editingFinished, this, [this, box, text, caption, apply] {
            if (box->text() == text(model_))
                return;
            Model m = model_;
            std::optional<sim::Refusal> refused = apply(m, box->text().toStdString());
            if (!refused) {
                auto checked = linkage::CheckSketch(m);
                if (!checked)
                    refused = std::move(checked).error();
            }
            if (refused) {
                widgets::MarkRefused(box, widgets::ToQString(sim::DescribeRefusal(
                                              sim::Mechanism{}, *refused, sim::BoxNames::Keys,
                                              widgets::TranslateCoreText)));
                showRefusal(*refused);
                return;
            }
            // Edited once this handler returns, as the edit may rebuild the panel.
            const bool renames = box->objectName() == "name";
            QMetaObject::invokeMethod(
                this,
                [this, m = std::move(m), caption, renames, name = box->text().toStdString()] {
                    const std::optional<std::string> before = selected_;
                    if (renames)
                        selected_ = name;
                    if (edit(m, caption))
                        selected_ = before;
                },
                Qt::QueuedConnection);
        });
    };
    // A number of the model at `member`, in degrees where the model keeps radians.
    auto numberField = [&](const QString& caption, const char* objectName,
                           std::function<double&(Model&)> member, const std::string& key,
                           bool degrees = false) {
        addField(
            caption, objectName,
            [member, degrees](const Model& m) {
                const double value = member(const_cast<Model&>(m));
                return degrees ? DegreesText(value) : NumberText(value);
            },
            [member, key, degrees](Model& m, const std::string& text) -> std::optional<sim::Refusal> {
                auto value = ReadField(key, text);
                if (!value)
                    return value.error();
                member(m) = degrees ? numeric::DegToRad(value.value()) : value.value();
                return std::nullopt;
            });
    };
    // The name of a point the selected one refers to.
    auto nameField = [&](const QString& caption, const char* objectName,
                         std::function<std::string&(Model&)> member) {
        addField(
            caption, objectName,
            [member](const Model& m) {
                return QString::fromStdString(member(const_cast<Model&>(m)));
            },
            [member](Model& m, const std::string& text) -> std::optional<sim::Refusal> {
                member(m) = text;
                return std::nullopt;
            });
    };
    auto checkField = [&](const QString& caption, const char* objectName,
                          std::function<bool(const Model&)> on,
                          std::function<void(Model&, bool)> apply) {
        auto* box = new QCheckBox(caption, panel_);
        box->setObjectName(objectName);
        box->setChecked(on(model_));
        widgets::NameForAccessibility(box, caption);
        fields_->addRow(box);
        panelUpdates_.push_back([this, box, on] {
            const QSignalBlocker block(box);
            box->setChecked(on(model_));
        });
        connect(box, &QCheckBox::toggled, this, [this, apply, caption](bool checked) {
            Model m = model_;
            apply(m, checked);
            QMetaObject::invokeMethod(
                this, [this, m = std::move(m), caption] { edit(m, caption); },
                Qt::QueuedConnection);
        });
    };
    // The name: renaming keeps every reference.
    addField(
        tr("名前"), "name", [nameIn](const Model& m) { return QString::fromStdString(nameIn(m)); },
        [nameIn](Model& m, const std::string& text) -> std::optional<sim::Refusal> {
            m = linkage::Renamed(std::move(m), nameIn(m), text);
            return std::nullopt;
        });
    auto trace = [&] {
        checkField(
            tr("軌跡を描く"), "trace",
            [nameIn](const Model& m) {
                return std::find(m.trace.begin(), m.trace.end(), nameIn(m)) != m.trace.end();
            },
            [nameIn](Model& m, bool on) {
                std::erase(m.trace, nameIn(m));
                if (on)
                    m.trace.push_back(nameIn(m));
            });
    };

    const std::string name = nameIn(model_);
    if (place < model_.ground.size()) {
        panelTitle_->setText(tr("固定点"));
        numberField("x", "x", [place](Model& m) -> double& { return m.ground[place].at.x; },
                    "ground." + name);
        numberField("y", "y", [place](Model& m) -> double& { return m.ground[place].at.y; },
                    "ground." + name);
    } else if (place == layout_.driven) {
        if (model_.drive.kind == DriveKind::Crank) {
            panelTitle_->setText(tr("クランク（駆動）"));
            nameField(tr("回転中心"), "pivot",
                      [](Model& m) -> std::string& { return m.drive.pivot; });
            numberField(tr("長さ"), "length", [](Model& m) -> double& { return m.drive.length; },
                        "drive.length");
            numberField(tr("始めの角度 [°]"), "start",
                        [](Model& m) -> double& { return m.drive.start; }, "drive.start", true);
            numberField(tr("終わりの角度 [°]"), "end",
                        [](Model& m) -> double& { return m.drive.end; }, "drive.end", true);
        } else {
            panelTitle_->setText(tr("スライダ（駆動）"));
            numberField(tr("ガイドの点 x"), "throughX",
                        [](Model& m) -> double& { return m.drive.through.x; }, "drive.through");
            numberField(tr("ガイドの点 y"), "throughY",
                        [](Model& m) -> double& { return m.drive.through.y; }, "drive.through");
            numberField(tr("ガイドの角度 [°]"), "angle",
                        [](Model& m) -> double& { return m.drive.angle; }, "drive.angle", true);
            numberField(tr("始めの位置"), "start",
                        [](Model& m) -> double& { return m.drive.start; }, "drive.start");
            numberField(tr("終わりの位置"), "end", [](Model& m) -> double& { return m.drive.end; },
                        "drive.end");
        }
        trace();
    } else {
        const std::size_t k = place - layout_.driven - 1;
        const Joint& j = model_.joints[k];
        auto from = [k](int i) {
            return [k, i](Model& m) -> std::string& { return m.joints[k].from[i]; };
        };
        auto number = [k](double Joint::*member) {
            return [k, member](Model& m) -> double& { return m.joints[k].*member; };
        };
        auto branch = [&] {
            checkField(
                tr("もう一方の組み方"), "branch",
                [k](const Model& m) { return m.joints[k].branch == numeric::Branch::Other; },
                [k](Model& m, bool other) {
                    m.joints[k].branch = other ? numeric::Branch::Other : numeric::Branch::Usual;
                });
        };
        switch (j.kind) {
        case JointKind::Dyad:
            panelTitle_->setText(tr("2節の関節"));
            nameField(tr("点 1"), "from0", from(0));
            nameField(tr("点 2"), "from1", from(1));
            numberField(tr("点 1 からの長さ"), "length0",
                        [k](Model& m) -> double& { return m.joints[k].lengths[0]; },
                        linkage::JointKey(j, "lengths"));
            numberField(tr("点 2 からの長さ"), "length1",
                        [k](Model& m) -> double& { return m.joints[k].lengths[1]; },
                        linkage::JointKey(j, "lengths"));
            branch();
            break;
        case JointKind::Point:
            panelTitle_->setText(tr("リンク上の点"));
            nameField(tr("リンクの始点"), "on0", from(0));
            nameField(tr("リンクの終点"), "on1", from(1));
            numberField(tr("リンクに沿って"), "along", number(&Joint::along),
                        linkage::JointKey(j, "along"));
            numberField(tr("リンクの左へ"), "across", number(&Joint::across),
                        linkage::JointKey(j, "across"));
            break;
        case JointKind::Slider:
            panelTitle_->setText(tr("スライダ"));
            nameField(tr("点"), "from0", from(0));
            numberField(tr("長さ"), "length", number(&Joint::length),
                        linkage::JointKey(j, "length"));
            numberField(tr("ガイドの点 x"), "throughX",
                        [k](Model& m) -> double& { return m.joints[k].through.x; },
                        linkage::JointKey(j, "through"));
            numberField(tr("ガイドの点 y"), "throughY",
                        [k](Model& m) -> double& { return m.joints[k].through.y; },
                        linkage::JointKey(j, "through"));
            numberField(tr("ガイドの角度 [°]"), "angle", number(&Joint::angle),
                        linkage::JointKey(j, "angle"), true);
            branch();
            break;
        }
        trace();
    }
    widgets::NameForAccessibility(panelTitle_, panelTitle_->text());
}

void LinkageEditor::focusField(const QString& name)
{
    // Queued after the layout shows the panel's new boxes: a hidden box takes no focus.
    QMetaObject::invokeMethod(
        this,
        [this, name] {
            if (auto* w = panel_->findChild<QWidget*>(name))
                w->setFocus(Qt::TabFocusReason);
        },
        Qt::QueuedConnection);
}

void LinkageEditor::addFromPanel(Tool kind)
{
    Model m = model_;
    const std::string name = linkage::FreshName(m);
    // The points that stand in the pose now, latest last.
    std::vector<std::size_t> known;
    for (std::size_t place = 0; place < preview_.pose.size(); ++place)
        if (preview_.pose[place])
            known.push_back(place);
    const std::vector<std::string> names = linkage::PointNames(m);
    const double step = grid_;
    switch (kind) {
    case Tool::Ground: {
        const WorldPoint centre = snapped(toWorld({view_->widthMm() / 2, view_->heightMm() / 2}));
        m.ground.push_back({name, centre});
        break;
    }
    case Tool::Crank:
        if (linkage::HasDrive(m) || m.ground.empty()) {
            showInformation(linkage::HasDrive(m) ? tr("駆動はもうあります。クランクは一つだけです")
                                                 : tr("先に固定点を置いてください"));
            return;
        }
        m = linkage::WithCrank(std::move(m), m.ground.back().name, name, 4 * step);
        break;
    case Tool::Dyad:
    case Tool::Point: {
        if (!linkage::HasDrive(m) || known.size() < 2) {
            showInformation(tr("先にクランクを置いてください"));
            return;
        }
        const std::size_t a = known[known.size() - 2], b = known.back();
        const WorldPoint pa = *posed(a), pb = *posed(b);
        const double d = Distance(pa, pb);
        Joint j{.name = name, .from = {names[a], names[b]}};
        if (kind == Tool::Dyad)
            j.lengths = {d, d};   // an equilateral triangle closes whatever the distance
        else {
            j.kind = JointKind::Point;
            j.along = linkage::RoundToStep(d / 2, precision());
        }
        m.joints.push_back(j);
        break;
    }
    case Tool::Slider: {
        if (!linkage::HasDrive(m)) {   // the drive, from the picture's centre to the right
            const WorldPoint centre =
                snapped(toWorld({view_->widthMm() / 2, view_->heightMm() / 2}));
            m = linkage::WithSliderDrive(std::move(m), name, centre, {centre.x + 4 * step, centre.y},
                                         precision());
            break;
        }
        if (known.empty())
            return;
        const WorldPoint p = *posed(known.back());
        Joint j{.name = name, .kind = JointKind::Slider, .from = {names[known.back()], ""}};
        j.through = snapped({p.x, p.y - 2 * step});
        j.length = 4 * step;
        m.joints.push_back(j);
        break;
    }
    case Tool::Select:
    case Tool::Delete:
        return;
    }
    if (!place(std::move(m), tr("%1 を追加").arg(Tr(kTools[static_cast<int>(kind)].caption)), name))
        return;
    focusField("name");
}

}
