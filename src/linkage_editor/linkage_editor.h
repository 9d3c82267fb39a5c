// The linkage editor: a linkage built with the mouse on a snapping grid, or from the keyboard
// through its field panel; dragged while the run's solver closes it again at the drive angle
// in hand; every edit undoable; saved as a .mechsim file; "実行" opens it in a mechanism window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "linkage/model.h"
#include "linkage/preview.h"
#include "plot/scaling.h"
#include "run/settings.h"
#include "setup_files/mechsim_file.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class QUndoStack;

namespace sim {
class MechanismWindow;
}

namespace linkage_editor {

class SketchView;

enum class Tool { Select, Ground, Crank, Dyad, Slider, Point, Delete };

class LinkageEditor : public QWidget {
    Q_OBJECT
public:
    // An empty linkage; or the linkage of `file` read from `path` (empty: never saved, as for a
    // gallery example, which "保存" does not overwrite). `settings` outlives the editor.
    explicit LinkageEditor(const sim::Settings& settings, setup_files::MechsimFile file = {},
                           std::filesystem::path path = {}, QWidget* parent = nullptr);
    ~LinkageEditor() override;

    const linkage::Model& model() const { return model_; }
    QUndoStack* undoStack() const { return undo_; }
    const std::filesystem::path& path() const { return path_; }
    SketchView* view() const { return view_; }

    void setTool(Tool tool);
    // Millimetres of the picture per world unit, kept about the picture's centre.
    void setZoom(double scale);
    double zoom() const { return window_.scale; }
    // The grid step in world units; snapping to it on or off.
    void setGrid(double step, bool snapping);
    // The drive value the picture is solved at (crank angle, rad; slider travel).
    void setDriveValue(double value);
    double driveValue() const { return drive_; }
    // The selected point, by its place among the model's points.
    void selectPoint(std::optional<std::size_t> place);
    // The world window the picture shows, and the picture drawn on any canvas of its size.
    const plot::WorldWindow& worldWindow() const { return window_; }
    void drawSketch(plot::Canvas& canvas) const;
    // The message line's text.
    QString message() const;

    // Writes the model to `path` through the safe writer; false (said on the message line) when
    // the model is incomplete or the file cannot be written.
    bool saveTo(const std::filesystem::path& path);
    // Adds a point of the kind chosen in the panel with defaults, selected for typing over.
    void addFromPanel(Tool kind);

public slots:
    void save();
    void saveAs();
    // Opens the model in a mechanism window, replacing the one opened before.
    void run();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class ModelCommand;
    // Shows `model` (from a command): checks, solves, draws, refreshes the panel.
    void showModel(const linkage::Model& model);
    // Pushes an edit as one undoable command; a model that does not check is refused instead,
    // its reason on the message line (and returned).
    std::optional<sim::Refusal> edit(linkage::Model after, const QString& text);
    // An edit that places point `name`, selected once it stands; false when refused.
    bool place(linkage::Model after, const QString& text, const std::string& name);
    void refresh();
    void redraw();
    void rebuildPanel();
    // Gives the panel's field `name` the focus once the panel is shown.
    void focusField(const QString& name);
    void retranslate();
    void buildControls();
    void updateTitle();

    void pressAt(plot::PointMm at, Qt::MouseButton button);
    void moveTo(plot::PointMm at);
    void releaseAt(plot::PointMm at);
    void clickWithTool(plot::WorldPoint at, std::optional<std::size_t> hit);
    void deletePoint(std::size_t place);

    plot::WorldPoint toWorld(plot::PointMm at) const;
    plot::WorldPoint snapped(plot::WorldPoint p) const;
    std::optional<std::size_t> pointAt(plot::PointMm at) const;
    std::optional<std::size_t> barAt(plot::PointMm at) const;
    std::optional<plot::WorldPoint> posed(std::size_t place) const;
    double precision() const;
    void fitWindow();
    void showRefusal(const sim::Refusal& refusal);
    void showInformation(const QString& text);
    void showPreviewMessage();

    const sim::Settings& settings_;
    setup_files::MechsimFile file_;   // N, T and profile of the file opened, kept when saved
    std::filesystem::path path_;
    linkage::Model model_;
    linkage::Layout layout_;
    linkage::Preview preview_;
    plot::WorldWindow window_;
    double drive_ = 0;
    double grid_ = 0.05;
    bool snapping_ = true;
    Tool tool_ = Tool::Select;
    std::optional<std::string> selected_;   // by name, so that it survives undo and renaming
    std::vector<plot::WorldPoint> clicked_;
    std::optional<std::size_t> firstPoint_, secondPoint_, clickedBar_;
    // A drag in progress: the point dragged and the model before it.
    std::optional<std::size_t> dragged_;
    std::optional<linkage::Model> beforeDrag_;
    std::optional<plot::PointMm> panFrom_;

    QUndoStack* undo_ = nullptr;
    SketchView* view_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    std::vector<QToolButton*> toolButtons_;
    QToolButton *undoButton_ = nullptr, *redoButton_ = nullptr, *saveButton_ = nullptr,
                *saveAsButton_ = nullptr, *runButton_ = nullptr, *zoomIn_ = nullptr,
                *zoomOut_ = nullptr, *fit_ = nullptr;
    QLabel* panelTitle_ = nullptr;
    QWidget* panel_ = nullptr;
    QFormLayout* fields_ = nullptr;
    // The selected point's place and kind the panel's fields are built for, and how each field
    // follows the model.
    std::optional<std::pair<std::size_t, int>> panelShape_;
    std::vector<std::function<void()>> panelUpdates_;
    QLineEdit* title_ = nullptr;
    QLabel* titleCaption_ = nullptr;
    QComboBox* addKind_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QLabel* driveCaption_ = nullptr;
    QSlider* driveSlider_ = nullptr;
    QCheckBox* snapBox_ = nullptr;
    QLineEdit* gridBox_ = nullptr;
    QLabel* message_ = nullptr;
    QPointer<sim::MechanismWindow> runWindow_;
};

}
