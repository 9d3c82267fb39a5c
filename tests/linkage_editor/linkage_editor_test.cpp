// The linkage editor driven as a student drives it: the gallery's four-bar built by clicks and
// typing, saved, read back and run against the gallery's file; undone to nothing and redone;
// a ground pivot dragged onto another point at two zooms; a joint built from the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QUndoStack>
#include <cmath>

#include "linkage/sketch.h"
#include "linkage_editor/linkage_editor.h"
#include "linkage_editor/sketch_view.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/run_pipeline.h"
#include "setup_files/mechsim_file.h"
#include "support/temp_dir.h"

namespace {

using linkage_editor::LinkageEditor;
using linkage_editor::Tool;
using plot::WorldPoint;

const std::filesystem::path kGalleryFourBar =
    std::filesystem::path(MECHSIM_SOURCE_DIR) / "examples" / "four-bar-linkage.mechsim";

std::string ModelText(const linkage::Model& m)
{
    setup_files::MechsimFile file;
    file.linkage = m;
    return setup_files::MechsimText(file);
}

// The editor's picture as the student sees and clicks it.
class Student {
public:
    // Shows the editor as the active window, which receives the keys.
    explicit Student(LinkageEditor& editor) : e_(editor)
    {
        e_.show();
        e_.activateWindow();
        for (int i = 0; i < 100 && !e_.isActiveWindow(); ++i)
            QApplication::processEvents();
    }

    QPointF pixel(WorldPoint p) const
    {
        return e_.view()->toWidget(plot::WorldToPicture(*e_.view(), e_.worldWindow(), p));
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons) const
    {
        QMouseEvent event(type, at, e_.view()->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(e_.view(), &event);
    }
    void drag(QPointF from, QPointF to) const
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    void click(WorldPoint p) const { drag(pixel(p), pixel(p)); }
    void clickWith(Tool tool, std::initializer_list<WorldPoint> points) const
    {
        e_.setTool(tool);
        for (const WorldPoint p : points)
            click(p);
    }
    // Keys as typed into the widget that has the focus, as the keyboard sends them.
    void key(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {}) const
    {
        QWidget* target = e_.focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
    }
    // Types over the focused box and confirms with Return, then moves on with Tab.
    void typeAndTab(const QString& text) const
    {
        key(Qt::Key_A, {}, Qt::ControlModifier);
        for (const QChar c : text)
            key(0, QString(c));
        key(Qt::Key_Return, "\r");
        key(Qt::Key_Tab, "\t");
    }
    // Types over the panel's field `name` of the selected point.
    void type(const char* name, const QString& text) const
    {
        QApplication::processEvents();   // the panel shows the selected point's boxes
        auto* box = e_.findChild<QLineEdit*>(name);
        ASSERT_NE(box, nullptr) << name;
        box->setFocus();
        key(Qt::Key_A, {}, Qt::ControlModifier);
        for (const QChar c : text)
            key(0, QString(c));
        key(Qt::Key_Return, "\r");
    }

private:
    LinkageEditor& e_;
};

// The gallery's four-bar rebuilt as a student would: ground pivots O and D, the crank D-B, the
// rocker tip C as a dyad on O and B, the coupler point P on C-B; the clicks give the layout,
// typing the exact dimensions and the names.
void BuildFourBar(LinkageEditor& editor, const Student& s)
{
    editor.setZoom(100);
    editor.setGrid(0.02, true);
    s.clickWith(Tool::Ground, {{0, 0}});
    s.type("name", "O");
    s.clickWith(Tool::Ground, {{0.68, 0}});
    s.type("name", "D");
    // The crank's length and angle come from the clicks: 0.3 exactly, from 0.98 - 0.68.
    s.clickWith(Tool::Crank, {{0.68, 0}, {0.98, 0}});
    s.type("name", "B");
    // C clicked on the left of O -> B, the usual branch; its lengths typed over.
    s.clickWith(Tool::Dyad, {{0, 0}, {0.98, 0}, {0.6, 0.1}});
    s.type("name", "C");
    s.type("length0", "0.6");
    s.type("length1", "0.4");
    ASSERT_EQ(editor.model().joints.size(), 1u);
    const WorldPoint cAt{0.592, std::sqrt(0.36 - 0.592 * 0.592)};
    // P on the link C-B, clicked near its middle, then placed exactly.
    s.clickWith(Tool::Point, {{(cAt.x + 0.98) / 2, cAt.y / 2}, {0.6, 0.2}});
    s.type("name", "P");
    s.type("along", "0");
    s.type("across", "0.1");
    editor.findChild<QCheckBox*>("trace")->click();
    QApplication::processEvents();
    s.type("title", "４リンク機構（リンク機構として）");
    editor.setTool(Tool::Select);
}

std::string RunBytes(const setup_files::MechsimFile& file, const std::filesystem::path& path)
{
    const auto refused = sim::StreamRun({file.mechanism.get(), file.inputs, {}}, path);
    EXPECT_FALSE(refused) << (refused ? refused->reason : "");
    return ReadFileBytes(path);
}

TEST(LinkageEditor, ClicksBuildTheGalleryFourBarThatSavesReadsBackRunsAlikeAndUndoes)
{
    sim::Settings settings;
    LinkageEditor editor(settings);
    const Student s(editor);
    BuildFourBar(editor, s);

    auto gallery = setup_files::ReadMechsimFile(kGalleryFourBar);
    ASSERT_TRUE(gallery);
    EXPECT_EQ(ModelText(editor.model()), ModelText(*gallery.value().linkage));

    const TempDir dir;
    ASSERT_TRUE(editor.saveTo(dir / "four-bar.mechsim")) << editor.message().toStdString();
    EXPECT_TRUE(editor.undoStack()->isClean());
    const std::string saved = ReadFileBytes(dir / "four-bar.mechsim");
    EXPECT_EQ(saved.find("0000000"), std::string::npos) << saved;   // no 0.30000000000000004
    auto read = setup_files::ReadMechsimFile(dir / "four-bar.mechsim");
    ASSERT_TRUE(read) << read.error().reason;
    EXPECT_EQ(ModelText(*read.value().linkage), ModelText(editor.model()));
    const LinkageEditor reopened(settings, read.value(), dir / "four-bar.mechsim");
    EXPECT_EQ(ModelText(reopened.model()), ModelText(editor.model()));
    EXPECT_EQ(RunBytes(read.value(), dir / "saved.dat"),
              RunBytes(gallery.value(), dir / "gallery.dat"));

    // Undone to the start: nothing at all; redone to the end: the saved file's model again.
    QUndoStack& undo = *editor.undoStack();
    while (undo.canUndo())
        undo.undo();
    EXPECT_TRUE(editor.model().ground.empty() && editor.model().joints.empty());
    EXPECT_FALSE(linkage::HasDrive(editor.model()));
    EXPECT_TRUE(editor.model().title.empty() && editor.model().trace.empty());
    while (undo.canRedo())
        undo.redo();
    EXPECT_EQ(ModelText(editor.model()), saved);
    EXPECT_TRUE(undo.isClean());

    // Without a crank, the slider tool draws a slider drive: its guide from the first click to
    // the second, its direction to a tenth of a degree, its stroke their distance.
    LinkageEditor sliding(settings);
    const Student t(sliding);
    sliding.setZoom(100);
    sliding.setGrid(0.1, true);
    t.clickWith(Tool::Slider, {{0, 0}, {0.3, 0.1}});
    const linkage::Drive& d = sliding.model().drive;
    EXPECT_EQ(d.kind, linkage::DriveKind::Slider);
    EXPECT_EQ(d.end, std::round(std::hypot(0.3, 0.1) * 1000) / 1000);
    ASSERT_TRUE(sliding.saveTo(dir / "slider.mechsim")) << sliding.message().toStdString();
    // Once written as 18.399999999999995: another double of degrees with the same radians.
    EXPECT_NE(ReadFileBytes(dir / "slider.mechsim").find("angle = 18.4\n"), std::string::npos)
        << ReadFileBytes(dir / "slider.mechsim");

    // Deleting the crank's pivot takes the crank and every joint on it.
    const std::vector<std::string> onD = {"B", "C", "P"};
    EXPECT_EQ(linkage::Dependants(editor.model(), "D"), onD);
    const linkage::Model left = linkage::Without(editor.model(), "D");
    EXPECT_EQ(left.ground.size(), 1u);
    EXPECT_TRUE(left.joints.empty() && left.trace.empty() && !linkage::HasDrive(left));
}

TEST(LinkageEditor, DraggingAGroundPivotMovesItByTheDragInWorldUnitsAtAnyZoom)
{
    sim::Settings settings;
    LinkageEditor editor(settings);
    const Student s(editor);
    editor.setZoom(100);
    editor.setGrid(0.1, true);
    s.clickWith(Tool::Ground, {{0, 0}, {0.3, 0.2}});
    ASSERT_EQ(editor.model().ground.size(), 2u);
    editor.setTool(Tool::Select);
    editor.setGrid(0.1, false);
    for (const double zoom : {100.0, 260.0}) {
        SCOPED_TRACE(zoom);
        editor.setZoom(zoom);
        // Where the picture shows the two points: the pivot is dragged onto the other one.
        plot::RecordingCanvas drawn(editor.view()->widthMm(), editor.view()->heightMm());
        editor.drawSketch(drawn);
        ASSERT_GE(drawn.circles.size(), 2u);
        const auto mmToWidget = [&](plot::PointMm at) { return editor.view()->toWidget(at); };
        const QPointF from = mmToWidget(drawn.circles[0].centre),
                      to = mmToWidget(drawn.circles[1].centre);
        const WorldPoint before = editor.model().ground[0].at, other = editor.model().ground[1].at;
        s.drag(from, to);
        const WorldPoint after = editor.model().ground[0].at;
        // Within a pixel of the screen, in world units at this zoom.
        const double pixel = editor.view()->widthMm() / editor.view()->logicalSize().width() / zoom;
        EXPECT_NEAR(after.x - before.x, other.x - before.x, pixel);
        EXPECT_NEAR(after.y - before.y, other.y - before.y, pixel);
        editor.undoStack()->undo();
        EXPECT_EQ(editor.model().ground[0].at.x, before.x);
    }
}

TEST(LinkageEditor, KeyboardAloneBuildsAJointThroughThePanel)
{
    sim::Settings settings;
    LinkageEditor editor(settings);
    const Student s(editor);
    // Adds a point of the kind at `index` in the list with the keyboard, then types its fields.
    auto add = [&](int index, std::initializer_list<QString> fields) {
        QApplication::processEvents();
        editor.findChild<QComboBox*>("addKind")->setFocus();
        s.key(Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            s.key(Qt::Key_Down);
        s.key(Qt::Key_Tab, "\t");
        ASSERT_EQ(editor.focusWidget()->objectName(), "add");
        s.key(Qt::Key_Space, " ");
        ASSERT_EQ(editor.focusWidget()->objectName(), "name");
        for (const QString& field : fields)
            s.typeAndTab(field);
    };
    add(0, {"O", "0", "0"});
    add(0, {"D", "0.68", "0"});
    add(1, {"B", "D", "0.3"});
    add(2, {"C", "O", "B", "0.6", "0.4"});
    const linkage::Model& m = editor.model();
    ASSERT_EQ(m.joints.size(), 1u);
    const linkage::Joint& c = m.joints[0];
    EXPECT_EQ(c.kind, linkage::JointKind::Dyad);
    EXPECT_EQ(c.from[0], "O");
    EXPECT_EQ(c.from[1], "B");
    EXPECT_EQ(c.lengths[0], 0.6);
    EXPECT_EQ(c.lengths[1], 0.4);
    EXPECT_EQ(m.drive.pivot, "D");
    EXPECT_EQ(m.drive.length, 0.3);
    EXPECT_EQ(m.ground[1].at.x, 0.68);
    // Every tool, button and field is named for assistive technology.
    for (QWidget* w : editor.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)
                             || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w);
        if (control && !w->objectName().startsWith("qt_")) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    // A refused value stays in its box, in red, and changes nothing.
    s.type("length0", "-1");
    EXPECT_EQ(c.lengths[0], 0.6);
    EXPECT_NE(editor.message().indexOf("C.lengths"), -1) << editor.message().toStdString();
}

}
