// The linkage editor: tools, the field panel, dragging, undo, saving and the run window.
#include "linkage_editor/linkage_editor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QToolButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "linkage/linkage_mechanism.h"
#include "linkage/sketch.h"
#include "linkage_editor/editor_texts.h"
#include "linkage_editor/sketch_view.h"
#include "mechanism_window/mechanism_window.h"
#include "numeric/angle.h"
#include "numeric/constants.h"
#include "numeric/number_text.h"
#include "plot/primitives.h"
#include "run/refusal_text.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"
#include "widgets/picture_menu.h"
#include "widgets/qt_string.h"

namespace linkage_editor {

using linkage::DriveKind;
using linkage::Joint;
using linkage::JointKind;
using linkage::Model;
using plot::PointMm;
using plot::WorldPoint;

// One edit of the model, undone and redone as a whole.
class ModelCommand : public QUndoCommand {
public:
    ModelCommand(LinkageEditor* editor, Model before, Model after, const QString& text)
        : QUndoCommand(text), editor_(editor), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { editor_->showModel(before_); }
    void redo() override { editor_->showModel(after_); }

private:
    LinkageEditor* editor_;
    Model before_, after_;
};

namespace {

constexpr QSize kViewSize(640, 480);
constexpr double kHitMm = 2.5;        // a click this near a point or a bar picks it
constexpr double kZoomStep = 1.25;
constexpr double kInitialScale = 100;   // mm per world unit for a new linkage
constexpr double kMinScale = 1e-6, kMaxScale = 1e6;

double DistanceMm(PointMm a, PointMm b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Millimetres from `p` to the segment a-b.
double SegmentDistanceMm(PointMm p, PointMm a, PointMm b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return DistanceMm(p, {a.x + t * dx, a.y + t * dy});
}

// The model as its file would say it, to tell whether a drag changed anything.
std::string ModelText(const Model& m)
{
    setup_files::MechsimFile file;
    file.linkage = m;
    return setup_files::MechsimText(file);
}

// The 1-2-5 grid step nearest above `worldPerMm` * 5 mm.
double GridStepFor(double worldPerMm)
{
    const double target = worldPerMm * 5;
    const double decade = std::pow(10.0, std::floor(std::log10(target)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * decade >= target)
            return linkage::RoundToStep(m * decade, m * decade);
    return linkage::RoundToStep(10 * decade, 10 * decade);
}

}

LinkageEditor::LinkageEditor(const sim::Settings& settings, setup_files::MechsimFile file,
                             std::filesystem::path path, QWidget* parent)
    : QWidget(parent), settings_(settings), file_(std::move(file)), path_(std::move(path))
{
    setObjectName("FormLinkageEditor");
    setAttribute(Qt::WA_DeleteOnClose);
    undo_ = new QUndoStack(this);
    buildControls();
    setZoom(kInitialScale);
    showModel(file_.linkage ? *file_.linkage : Model{});
    if (!model_.ground.empty())
        fitWindow();
    retranslate();
    connect(undo_, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    updateTitle();
}

// A box losing the focus as the window goes must not edit a model already destroyed.
LinkageEditor::~LinkageEditor()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->disconnect(this);
}

void LinkageEditor::buildControls()
{
    auto* toolsRow = new QHBoxLayout;
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    for (const ToolText& t : kTools) {
        auto* button = new QToolButton(this);
        button->setObjectName(t.name);
        button->setCheckable(true);
        button->setChecked(t.tool == Tool::Select);
        button->setFocusPolicy(Qt::StrongFocus);
        tools_->addButton(button, static_cast<int>(t.tool));
        toolsRow->addWidget(button);
        toolButtons_.push_back(button);
    }
    connect(tools_, &QButtonGroup::idClicked, this,
            [this](int id) { setTool(static_cast<Tool>(id)); });
    toolsRow->addSpacing(16);
    auto makeButton = [this, toolsRow](const char* name, auto slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, slot);
        toolsRow->addWidget(button);
        return button;
    };
    undoButton_ = makeButton("undo", [this] { undo_->undo(); });
    redoButton_ = makeButton("redo", [this] { undo_->redo(); });
    saveButton_ = makeButton("save", [this] { save(); });
    saveAsButton_ = makeButton("saveAs", [this] { saveAs(); });
    runButton_ = makeButton("run", [this] { run(); });
    toolsRow->addStretch();
    connect(undo_, &QUndoStack::canUndoChanged, undoButton_, &QWidget::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, redoButton_, &QWidget::setEnabled);
    undoButton_->setEnabled(false);
    redoButton_->setEnabled(false);
    QAction* undoAction = undo_->createUndoAction(this);
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = undo_->createRedoAction(this);
    // Each key once: a key listed twice would be ambiguous and do nothing.
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                              QKeySequence(Qt::CTRL | Qt::Key_Y)});
    auto* saveAction = new QAction(this);
    saveAction->setShortcut(QKeySequence::Save);
    connect(saveAction, &QAction::triggered, this, &LinkageEditor::save);
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, [this] { setTool(tool_); });
    // Del deletes the selected point, as the delete tool would.
    auto* remove = new QAction(this);
    remove->setShortcut(QKeySequence::Delete);
    connect(remove, &QAction::triggered, this, [this] {
        const std::vector<std::string> names = linkage::PointNames(model_);
        const auto found = std::find(names.begin(), names.end(), selected_.value_or(""));
        if (selected_ && found != names.end())
            deletePoint(static_cast<std::size_t>(found - names.begin()));
    });
    addActions({undoAction, redoAction, saveAction, escape, remove});

    view_ = new SketchView(kViewSize, this);
    view_->setObjectName("sketch");
    connect(view_, &SketchView::pressed, this, &LinkageEditor::pressAt);
    connect(view_, &SketchView::moved, this, &LinkageEditor::moveTo);
    connect(view_, &SketchView::released, this, &LinkageEditor::releaseAt);
    connect(view_, &SketchView::wheeled, this, [this](PointMm at, double steps) {
        // The point under the cursor stays where it is.
        const WorldPoint before = toWorld(at);
        setZoom(window_.scale * std::pow(kZoomStep, steps));
        const WorldPoint after = toWorld(at);
        window_.xmin += before.x - after.x;
        window_.xmax += before.x - after.x;
        window_.ymin += before.y - after.y;
        window_.ymax += before.y - after.y;
        redraw();
    });

    // The panel: the linkage's title, the selected point's fields, adding from the keyboard.
    panel_ = new QWidget(this);
    panel_->setObjectName("panel");
    panel_->setFixedWidth(280);
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* titleRow = new QFormLayout;
    titleCaption_ = new QLabel(panel_);
    title_ = new QLineEdit(panel_);
    title_->setObjectName("title");
    titleCaption_->setBuddy(title_);
    titleRow->addRow(titleCaption_, title_);
    connect(title_, &QLineEdit::editingFinished, this, [this] {
        const std::string text = title_->text().toStdString();
        if (text == model_.title)
            return;
        Model m = model_;
        m.title = text;
        edit(std::move(m), tr("題名"));
    });
    panelLayout->addLayout(titleRow);
    auto* addRow = new QHBoxLayout;
    addKind_ = new QComboBox(panel_);
    addKind_->setObjectName("addKind");
    for (int i = 0; i < 5; ++i)
        addKind_->addItem(QString());
    addButton_ = new QToolButton(panel_);
    addButton_->setObjectName("add");
    addButton_->setFocusPolicy(Qt::StrongFocus);
    connect(addButton_, &QToolButton::clicked, this,
            [this] { addFromPanel(static_cast<Tool>(addKind_->currentIndex() + 1)); });
    addRow->addWidget(addKind_, 1);
    addRow->addWidget(addButton_);
    panelLayout->addLayout(addRow);
    panelTitle_ = new QLabel(panel_);
    panelTitle_->setObjectName("panelTitle");
    panelLayout->addWidget(panelTitle_);
    fields_ = new QFormLayout;
    panelLayout->addLayout(fields_);
    panelLayout->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(view_, 0, Qt::AlignTop);
    middle->addWidget(panel_);

    auto* bottom = new QHBoxLayout;
    driveCaption_ = new QLabel(this);
    driveSlider_ = new QSlider(Qt::Horizontal, this);
    driveSlider_->setObjectName("driveValue");
    driveSlider_->setRange(0, 360);
    driveCaption_->setBuddy(driveSlider_);
    connect(driveSlider_, &QSlider::valueChanged, this, [this](int at) {
        if (!linkage::HasDrive(model_))
            return;
        const linkage::Drive& d = model_.drive;
        const double value = d.start + (d.end - d.start) * at / 360.0;
        if (std::abs(value - drive_) > 1e-12 * (1 + std::abs(value)))
            setDriveValue(value);
    });
    snapBox_ = new QCheckBox(this);
    snapBox_->setObjectName("snap");
    snapBox_->setChecked(true);
    gridBox_ = new QLineEdit(this);
    gridBox_->setObjectName("grid");
    gridBox_->setMaximumWidth(80);
    connect(snapBox_, &QCheckBox::toggled, this, [this](bool on) { setGrid(grid_, on); });
    connect(gridBox_, &QLineEdit::editingFinished, this, [this] {
        const std::optional<double> step = numeric::ReadNumber(gridBox_->text().toStdString());
        if (!step || !(*step > 0)) {
            widgets::MarkRefused(gridBox_, tr("グリッドの間隔は正の数です"));
            showInformation(tr("グリッドの間隔は正の数です"));
            return;
        }
        widgets::MarkRefused(gridBox_, QString());
        setGrid(*step, snapping_);
    });
    zoomIn_ = new QToolButton(this);
    zoomIn_->setObjectName("zoomIn");
    zoomOut_ = new QToolButton(this);
    zoomOut_->setObjectName("zoomOut");
    fit_ = new QToolButton(this);
    fit_->setObjectName("fit");
    for (QToolButton* b : {zoomIn_, zoomOut_, fit_})
        b->setFocusPolicy(Qt::StrongFocus);
    connect(zoomIn_, &QToolButton::clicked, this, [this] { setZoom(window_.scale * kZoomStep); });
    connect(zoomOut_, &QToolButton::clicked, this, [this] { setZoom(window_.scale / kZoomStep); });
    connect(fit_, &QToolButton::clicked, this, [this] { fitWindow(); });
    bottom->addWidget(driveCaption_);
    bottom->addWidget(driveSlider_, 1);
    bottom->addWidget(snapBox_);
    bottom->addWidget(gridBox_);
    bottom->addWidget(zoomIn_);
    bottom->addWidget(zoomOut_);
    bottom->addWidget(fit_);

    message_ = new QLabel(this);
    message_->setObjectName("lblMessage");
    message_->setWordWrap(true);
    message_->setMinimumHeight(36);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolsRow);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    layout->addWidget(message_);
    gridBox_->setText(NumberText(grid_));
}

void LinkageEditor::retranslate()
{
    for (std::size_t i = 0; i < toolButtons_.size(); ++i) {
        toolButtons_[i]->setText(Tr(kTools[i].caption));
        widgets::NameForAccessibility(toolButtons_[i], toolButtons_[i]->text());
    }
    for (int i = 0; i < 5; ++i)
        addKind_->setItemText(i, Tr(kTools[i + 1].caption));
    const std::pair<QToolButton*, QString> buttons[] = {
        {undoButton_, tr("元に戻す")},     {redoButton_, tr("やり直す")},
        {saveButton_, tr("保存")},         {saveAsButton_, tr("名前を付けて保存")},
        {runButton_, tr("実行")},          {zoomIn_, tr("拡大")},
        {zoomOut_, tr("縮小")},            {fit_, tr("全体を表示")},
        {addButton_, tr("追加")},
    };
    for (const auto& [button, text] : buttons) {
        button->setText(text);
        widgets::NameForAccessibility(button, text);
    }
    titleCaption_->setText(tr("題名"));
    widgets::NameForAccessibility(title_, titleCaption_->text());
    widgets::NameForAccessibility(addKind_, tr("追加する点の種類"));
    driveCaption_->setText(tr("駆動"));
    widgets::NameForAccessibility(driveSlider_, tr("駆動の値"));
    snapBox_->setText(tr("グリッドに合わせる"));
    widgets::NameForAccessibility(snapBox_, snapBox_->text());
    widgets::NameForAccessibility(gridBox_, tr("グリッドの間隔"));
    gridBox_->setToolTip(tr("グリッドの間隔"));
    widgets::NameForAccessibility(view_, tr("リンク機構の図"));
    updateTitle();
    rebuildPanel();
}

void LinkageEditor::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void LinkageEditor::updateTitle()
{
    const QString name = !path_.empty()        ? QString::fromStdString(path_.filename().string())
                         : !model_.title.empty() ? QString::fromStdString(model_.title)
                                                 : tr("新しいリンク機構");
    setWindowTitle(name + "[*]");
    setWindowModified(!undo_->isClean());
}

// ---- the model, its check, its picture -------------------------------------------------------

std::optional<sim::Refusal> LinkageEditor::edit(Model after, const QString& text)
{
    const auto checked = linkage::CheckSketch(after);
    if (!checked) {
        showRefusal(checked.error());
        return checked.error();
    }
    undo_->push(new ModelCommand(this, model_, std::move(after), text));
    return std::nullopt;
}

bool LinkageEditor::place(Model after, const QString& text, const std::string& name)
{
    const std::optional<std::string> previous = selected_;
    selected_ = name;
    if (!edit(std::move(after), text))
        return true;
    selected_ = previous;
    return false;
}

void LinkageEditor::showModel(const Model& model)
{
    model_ = model;
    const auto checked = linkage::CheckSketch(model_);
    // Every edit was checked before it was pushed; a file read was checked by its reader.
    layout_ = checked ? checked.value() : linkage::Layout{};
    if (linkage::HasDrive(model_)) {
        const linkage::Drive& d = model_.drive;
        if (d.kind == DriveKind::Slider && (drive_ < std::min(d.start, d.end)
                                            || drive_ > std::max(d.start, d.end)))
            drive_ = d.start;
    }
    refresh();
}

void LinkageEditor::refresh()
{
    preview_ = linkage::PreviewOf(model_, layout_, drive_);
    redraw();
    rebuildPanel();   // the same fields during a drag: only their values follow
    showPreviewMessage();
    if (title_->text().toStdString() != model_.title) {
        title_->setText(QString::fromStdString(model_.title));
        updateTitle();
    }
    if (linkage::HasDrive(model_)) {
        const linkage::Drive& d = model_.drive;
        const QSignalBlocker block(driveSlider_);
        if (d.end != d.start) {
            double share = (drive_ - d.start) / (d.end - d.start);
            if (d.kind == DriveKind::Crank)
                share -= std::floor(share);
            driveSlider_->setValue(static_cast<int>(std::lround(360 * share)));
        }
    }
    driveSlider_->setEnabled(linkage::HasDrive(model_));
}

void LinkageEditor::redraw()
{
    drawSketch(*view_);
}

void LinkageEditor::drawSketch(plot::Canvas& canvas) const
{
    linkage::SketchMarks marks;
    marks.grid = grid_;
    if (selected_) {
        const std::vector<std::string> names = linkage::PointNames(model_);
        const auto found = std::find(names.begin(), names.end(), *selected_);
        if (found != names.end())
            marks.selected = static_cast<std::size_t>(found - names.begin());
    }
    marks.clicked = clicked_;
    for (const auto place : {firstPoint_, secondPoint_})
        if (place)
            if (const auto at = posed(*place))
                marks.clicked.push_back(*at);
    linkage::DrawSketch(canvas, window_, model_, layout_, preview_, marks);
}

void LinkageEditor::showPreviewMessage()
{
    if (preview_.poseRefusal || preview_.firstFailure) {
        const sim::Refusal& r = preview_.poseRefusal ? *preview_.poseRefusal : *preview_.firstFailure;
        const double at = preview_.poseRefusal ? drive_ : *preview_.firstFailureAt;
        const QString where = model_.drive.kind == DriveKind::Crank
                                  ? tr("駆動角 %1°").arg(DegreesText(at))
                                  : tr("駆動 s = %1").arg(NumberText(at));
        const QString reason = widgets::ToQString(r.phrase.Compose(widgets::TranslateCoreText));
        widgets::ShowFollowingMessage(
            message_,
            [where, reason, joint = QString::fromStdString(r.key)] {
                return tr("%1 で関節 %2 が閉じません: %3").arg(where, joint, reason);
            },
            widgets::MessageKind::Refusal);
    }
}

QString LinkageEditor::message() const
{
    return message_->text();
}

void LinkageEditor::showRefusal(const sim::Refusal& refusal)
{
    widgets::ShowFollowingMessage(
        message_,
        [refusal] {
            return widgets::ToQString(sim::DescribeRefusal(
                sim::Mechanism{}, refusal, sim::BoxNames::Keys, widgets::TranslateCoreText));
        },
        widgets::MessageKind::Refusal);
}

void LinkageEditor::showInformation(const QString& text)
{
    widgets::ShowMessage(message_, text, widgets::MessageKind::Information);
}

// ---- the world window -------------------------------------------------------------------------

WorldPoint LinkageEditor::toWorld(PointMm at) const
{
    return plot::PictureToWorld(*view_, window_, at);
}

WorldPoint LinkageEditor::snapped(WorldPoint p) const
{
    if (!snapping_)
        return {linkage::RoundToStep(p.x, precision()), linkage::RoundToStep(p.y, precision())};
    return {linkage::RoundToStep(p.x, grid_), linkage::RoundToStep(p.y, grid_)};
}

double LinkageEditor::precision() const
{
    return linkage::ClickPrecision(1 / window_.scale);
}

void LinkageEditor::setZoom(double scale)
{
    // Within a million times either way: every grid and rounding step stays a finite number.
    scale = std::clamp(std::isfinite(scale) ? scale : kInitialScale, kMinScale, kMaxScale);
    // The picture's centre stays where it is.
    const PointMm centreMm{view_->widthMm() / 2, view_->heightMm() / 2};
    const WorldPoint centre =
        window_.scale > 0 && window_.xmax > window_.xmin ? toWorld(centreMm) : WorldPoint{0.35, 0};
    window_.scale = scale;
    window_.xmin = window_.ymin = 0;
    const WorldPoint shown = toWorld(centreMm);
    window_.xmin = centre.x - shown.x;
    window_.ymin = centre.y - shown.y;
    const WorldPoint corner = toWorld({view_->widthMm(), 0});
    window_.xmax = corner.x;
    window_.ymax = corner.y;
    window_.xstep = window_.ystep = grid_;
    redraw();
}

void LinkageEditor::fitWindow()
{
    std::vector<WorldPoint> points;
    for (const auto& p : preview_.pose)
        if (p)
            points.push_back(*p);
    for (std::size_t t = 0; t < preview_.paths.size(); ++t)
        for (std::size_t i = 0; i < preview_.paths[t].size(); ++i)
            if (preview_.closes[i])
                points.push_back(preview_.paths[t][i]);
    if (linkage::HasDrive(model_) && model_.drive.kind == DriveKind::Crank) {
        const WorldPoint c = model_.ground[layout_.pivot].at;
        const double r = model_.drive.length;
        points.insert(points.end(), {{c.x - r, c.y - r}, {c.x + r, c.y + r}});
    }
    if (points.empty())
        return;
    auto [xlo, xhi] = std::minmax_element(points.begin(), points.end(),
                                          [](auto a, auto b) { return a.x < b.x; });
    auto [ylo, yhi] = std::minmax_element(points.begin(), points.end(),
                                          [](auto a, auto b) { return a.y < b.y; });
    const double width = xhi->x - xlo->x, height = yhi->y - ylo->y;
    // A lone point is centred at the zoom in force.
    const double scale =
        width > 0 || height > 0
            ? std::clamp(std::min((view_->widthMm() - 20) / width,
                                  (view_->heightMm() - 20) / height),
                         kMinScale, kMaxScale)
            : window_.scale;
    window_.scale = scale;
    window_.xmin = window_.ymin = 0;
    const PointMm centreMm{view_->widthMm() / 2, view_->heightMm() / 2};
    const WorldPoint shown = toWorld(centreMm);
    window_.xmin = (xlo->x + xhi->x) / 2 - shown.x;
    window_.ymin = (ylo->y + yhi->y) / 2 - shown.y;
    const WorldPoint corner = toWorld({view_->widthMm(), 0});
    window_.xmax = corner.x;
    window_.ymax = corner.y;
    setGrid(GridStepFor(1 / scale), snapping_);
}

void LinkageEditor::setGrid(double step, bool snapping)
{
    if (step > 0)
        grid_ = step;
    snapping_ = snapping;
    gridBox_->setText(NumberText(grid_));
    if (snapBox_->isChecked() != snapping)
        snapBox_->setChecked(snapping);
    redraw();
}

void LinkageEditor::setDriveValue(double value)
{
    drive_ = value;
    refresh();
}

// ---- picking ----------------------------------------------------------------------------------

std::optional<WorldPoint> LinkageEditor::posed(std::size_t place) const
{
    return place < preview_.pose.size() ? preview_.pose[place] : std::nullopt;
}

std::optional<std::size_t> LinkageEditor::pointAt(PointMm at) const
{
    std::optional<std::size_t> nearest;
    double best = kHitMm;
    for (std::size_t place = 0; place < preview_.pose.size(); ++place)
        if (const auto p = preview_.pose[place]) {
            const double d = DistanceMm(plot::WorldToPicture(*view_, window_, *p), at);
            if (d <= best) {
                best = d;
                nearest = place;
            }
        }
    return nearest;
}

std::optional<std::size_t> LinkageEditor::barAt(PointMm at) const
{
    const auto bars = linkage::SketchBars(model_, layout_);
    std::optional<std::size_t> nearest;
    double best = kHitMm;
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const auto a = posed(bars[b][0]), c = posed(bars[b][1]);
        if (!a || !c)
            continue;
        const double d = SegmentDistanceMm(at, plot::WorldToPicture(*view_, window_, *a),
                                           plot::WorldToPicture(*view_, window_, *c));
        if (d <= best) {
            best = d;
            nearest = b;
        }
    }
    return nearest;
}

void LinkageEditor::selectPoint(std::optional<std::size_t> place)
{
    const std::vector<std::string> names = linkage::PointNames(model_);
    selected_ = place && *place < names.size() ? std::optional(names[*place]) : std::nullopt;
    redraw();
    rebuildPanel();
}

// ---- the mouse --------------------------------------------------------------------------------

void LinkageEditor::setTool(Tool tool)
{
    tool_ = tool;
    if (QAbstractButton* button = tools_->button(static_cast<int>(tool)))
        button->setChecked(true);
    clicked_.clear();
    firstPoint_ = secondPoint_ = clickedBar_ = std::nullopt;
    static const char* const kPrompts[] = {
        QT_TR_NOOP("点をドラッグすると動かせます。点をクリックするとその値が右に出ます"),
        QT_TR_NOOP("固定点を置く場所をクリックしてください"),
        QT_TR_NOOP("クランクの回転中心（固定点か新しい場所）をクリックしてください"),
        QT_TR_NOOP("関節をつなぐ 1 つ目の点をクリックしてください"),
        QT_TR_NOOP("スライダをつなぐ点（駆動がまだなければ、駆動のスライダの始まり）をクリックしてください"),
        QT_TR_NOOP("点を載せるリンクをクリックしてください"),
        QT_TR_NOOP("削除する点をクリックしてください"),
    };
    showInformation(tr(kPrompts[static_cast<int>(tool)]));
    redraw();
}

void LinkageEditor::pressAt(PointMm at, Qt::MouseButton button)
{
    if (button == Qt::MiddleButton || button == Qt::RightButton) {
        panFrom_ = at;
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const std::optional<std::size_t> hit = pointAt(at);
    if (tool_ == Tool::Select) {
        selectPoint(hit);
        if (hit) {
            dragged_ = hit;
            beforeDrag_ = model_;
        }
        return;
    }
    if (tool_ == Tool::Point && !clickedBar_) {
        clickedBar_ = barAt(at);
        showInformation(clickedBar_ ? tr("リンク上の点の場所をクリックしてください")
                                    : tr("リンクの上をクリックしてください"));
        return;
    }
    clickWithTool(snapped(toWorld(at)), hit);
}

void LinkageEditor::moveTo(PointMm at)
{
    if (panFrom_) {
        const WorldPoint from = toWorld(*panFrom_), to = toWorld(at);
        window_.xmin -= to.x - from.x;
        window_.xmax -= to.x - from.x;
        window_.ymin -= to.y - from.y;
        window_.ymax -= to.y - from.y;
        panFrom_ = at;
        redraw();
        return;
    }
    if (!dragged_)
        return;
    const WorldPoint to = snapped(toWorld(at));
    const std::size_t place = *dragged_;
    Model m = model_;
    double drive = drive_;
    if (place < m.ground.size()) {
        m.ground[place].at = to;
    } else if (place == layout_.driven) {
        linkage::Drive& d = m.drive;
        if (d.kind == DriveKind::Crank) {
            const WorldPoint pivot = m.ground[layout_.pivot].at;
            const double length = linkage::RoundToStep(Distance(pivot, to), precision());
            if (length > 0)
                d.length = length;
            drive = numeric::ArcTan2(to.y - pivot.y, to.x - pivot.x);
            while (drive < std::min(d.start, d.end))
                drive += 2 * numeric::kPi;
        } else {
            drive = std::cos(d.angle) * (to.x - d.through.x) + std::sin(d.angle) * (to.y - d.through.y);
        }
    } else {
        const std::size_t k = place - layout_.driven - 1;
        const auto a = posed(layout_.from[k][0]), b = posed(layout_.from[k][1]);
        if (!a || !b)
            return;
        m.joints[k] = linkage::JointMovedTo(m.joints[k], {*a, *b}, to, precision());
    }
    if (!linkage::CheckSketch(m))
        return;   // a length of zero while passing over a point: kept as it was
    model_ = std::move(m);
    drive_ = drive;
    refresh();
}

void LinkageEditor::releaseAt(PointMm)
{
    panFrom_.reset();
    if (!dragged_)
        return;
    dragged_.reset();
    Model before = *std::move(beforeDrag_);
    beforeDrag_.reset();
    if (ModelText(before) == ModelText(model_))
        return;   // a click on a point, no drag
    undo_->push(new ModelCommand(this, std::move(before), model_, tr("ドラッグ")));
}

void LinkageEditor::clickWithTool(WorldPoint at, std::optional<std::size_t> hit)
{
    const std::vector<std::string> names = linkage::PointNames(model_);
    Model m = model_;
    switch (tool_) {
    case Tool::Select:
        return;
    case Tool::Ground: {
        const std::string name = linkage::FreshName(m);
        m.ground.push_back({name, at});
        // The new ground point takes the place after the others: the drive's and the joints'
        // places move one on.
        place(std::move(m), tr("固定点を置く"), name);
        break;
    }
    case Tool::Crank: {
        if (linkage::HasDrive(m)) {
            showInformation(tr("駆動はもうあります。クランクは一つだけです"));
            return;
        }
        if (clicked_.empty() && !firstPoint_) {
            if (hit && *hit >= m.ground.size()) {
                showInformation(tr("クランクの回転中心は固定点です"));
                return;
            }
            if (hit)
                firstPoint_ = hit;
            else
                clicked_.push_back(at);
            showInformation(tr("クランクの先端をクリックしてください"));
            redraw();
            return;
        }
        std::string pivot;
        WorldPoint centre;
        if (firstPoint_) {
            pivot = m.ground[*firstPoint_].name;
            centre = m.ground[*firstPoint_].at;
        } else {
            pivot = linkage::FreshName(m);
            centre = clicked_.front();
            m.ground.push_back({pivot, centre});
        }
        const double length = linkage::RoundToStep(Distance(centre, at), precision());
        const std::string tip = linkage::FreshName(m);
        m = linkage::WithCrank(std::move(m), pivot, tip, length);
        clicked_.clear();
        firstPoint_.reset();
        const double angle = numeric::ArcTan2(at.y - centre.y, at.x - centre.x);
        drive_ = angle < 0 ? angle + 2 * numeric::kPi : angle;
        if (place(std::move(m), tr("クランクを置く"), tip))
            showInformation(tr("クランクを置きました"));
        break;
    }
    case Tool::Dyad:
    case Tool::Slider: {
        if (tool_ == Tool::Slider && !linkage::HasDrive(m)) {
            // Without a drive, the slider drives: its guide drawn from start to end.
            if (clicked_.empty()) {
                clicked_.push_back(at);
                showInformation(tr("駆動のスライダの行き先をクリックしてください"));
                redraw();
                return;
            }
            const WorldPoint from = clicked_.front();
            clicked_.clear();
            if (Distance(from, at) > 0) {
                const std::string name = linkage::FreshName(m);
                m = linkage::WithSliderDrive(std::move(m), name, from, at, precision());
                drive_ = m.drive.end;
                place(std::move(m), tr("スライダを置く"), name);
            }
            redraw();
            return;
        }
        if (!linkage::HasDrive(m)) {
            showInformation(tr("先にクランクを置いてください"));
            return;
        }
        if (!firstPoint_) {
            if (!hit || !posed(*hit)) {
                showInformation(tr("既にある点をクリックしてください"));
                return;
            }
            firstPoint_ = hit;
            showInformation(tool_ == Tool::Dyad ? tr("関節をつなぐ 2 つ目の点をクリックしてください")
                                                : tr("ガイドの通る点をクリックしてください"));
            redraw();
            return;
        }
        if (tool_ == Tool::Dyad && !secondPoint_) {
            if (!hit || !posed(*hit) || hit == firstPoint_) {
                showInformation(tr("既にある別の点をクリックしてください"));
                return;
            }
            secondPoint_ = hit;
            showInformation(tr("関節の場所をクリックしてください"));
            redraw();
            return;
        }
        if (tool_ == Tool::Slider && clicked_.empty()) {
            clicked_.push_back(at);
            showInformation(tr("スライダの場所（ガイドの向き）をクリックしてください"));
            redraw();
            return;
        }
        const std::string name = linkage::FreshName(m);
        const WorldPoint a = *posed(*firstPoint_);
        if (tool_ == Tool::Dyad)
            m.joints.push_back(linkage::DyadAt(name, {names[*firstPoint_], names[*secondPoint_]},
                                               {a, *posed(*secondPoint_)}, at, precision()));
        else if (Distance(clicked_.front(), at) > 0)
            m.joints.push_back(
                linkage::SliderAt(name, names[*firstPoint_], a, clicked_.front(), at, precision()));
        const QString text = tool_ == Tool::Dyad ? tr("2節の関節を置く") : tr("スライダを置く");
        clicked_.clear();
        firstPoint_ = secondPoint_ = std::nullopt;
        if (m.joints.size() > model_.joints.size() && place(std::move(m), text, name))
            showInformation(tr("関節 %1 を置きました").arg(QString::fromStdString(name)));
        redraw();
        break;
    }
    case Tool::Point: {
        if (!clickedBar_)
            return;   // the press picks the link
        const auto bar = linkage::SketchBars(m, layout_)[*clickedBar_];
        const std::string name = linkage::FreshName(m);
        m.joints.push_back(linkage::PointAt(name, {names[bar[0]], names[bar[1]]},
                                            {*posed(bar[0]), *posed(bar[1])}, at, precision()));
        clickedBar_.reset();
        if (place(std::move(m), tr("リンク上の点を置く"), name))
            showInformation(tr("関節 %1 を置きました").arg(QString::fromStdString(name)));
        break;
    }
    case Tool::Delete:
        if (hit)
            deletePoint(*hit);
        break;
    }
}

void LinkageEditor::deletePoint(std::size_t place)
{
    const std::vector<std::string> names = linkage::PointNames(model_);
    const std::string& name = names[place];
    const std::vector<std::string> dependants = linkage::Dependants(model_, name);
    if (!dependants.empty()) {
        QStringList list;
        for (const std::string& d : dependants)
            list << QString::fromStdString(d);
        const auto answer = QMessageBox::question(
            this, tr("削除"),
            tr("%1 を削除すると、それにつながる %2 も削除されます。削除しますか？")
                .arg(QString::fromStdString(name), list.join(tr("、"))));
        if (answer != QMessageBox::Yes)
            return;
    }
    if (selected_ == name
        || std::find(dependants.begin(), dependants.end(), selected_.value_or("")) != dependants.end())
        selected_.reset();
    edit(linkage::Without(model_, name), tr("%1 を削除").arg(QString::fromStdString(name)));
}

// ---- files and the run window -----------------------------------------------------------------

bool LinkageEditor::saveTo(const std::filesystem::path& path)
{
    if (!linkage::HasDrive(model_)) {
        showInformation(tr("クランクを置くまで保存できません"));
        return false;
    }
    setup_files::MechsimFile file = file_;
    file.linkage = model_;
    file.inputs.clear();   // the model's own branches
    if (auto refused = widgets::SaveBytes(
            path, QByteArray::fromStdString(setup_files::MechsimText(file)))) {
        showRefusal(*refused);
        return false;
    }
    path_ = path;
    undo_->setClean();
    updateTitle();
    showInformation(tr("%1 に保存しました").arg(QString::fromStdString(path.string())));
    return true;
}

void LinkageEditor::save()
{
    if (path_.empty())
        saveAs();
    else
        saveTo(path_);
}

void LinkageEditor::saveAs()
{
    QString chosen = QFileDialog::getSaveFileName(
        this, tr("名前を付けて保存"),
        path_.empty() ? QStringLiteral("linkage.mechsim") : QString::fromStdString(path_.string()),
        tr("機構の設定 (*.mechsim)"));
    if (chosen.isEmpty())
        return;
    if (!chosen.endsWith(setup_files::kMechsimExtension, Qt::CaseInsensitive))
        chosen += setup_files::kMechsimExtension;
    saveTo(chosen.toStdString());
}

void LinkageEditor::run()
{
    auto made = linkage::LinkageMechanism(model_);
    if (!made) {
        showRefusal(made.error());
        return;
    }
    setup_files::MechsimFile file = file_;
    file.mechanism = std::move(made).value();
    file.linkage = model_;
    file.inputs.clear();
    for (const Joint& j : model_.joints)
        if (j.hasBranch())
            file.inputs.emplace(j.name, j.branch);
    if (runWindow_)
        runWindow_->close();
    runWindow_ = new sim::MechanismWindow(file, settings_);
    runWindow_->applySetUp(file);
    runWindow_->enableEditing([editor = QPointer<LinkageEditor>(this)] {
        if (editor) {
            editor->raise();
            editor->activateWindow();
        }
    });
    runWindow_->show();
    runWindow_->startRun();
}

void LinkageEditor::closeEvent(QCloseEvent* event)
{
    if (!undo_->isClean()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(), tr("保存していない変更があります。保存しますか？"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Save)
            save();
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !undo_->isClean())) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

}
