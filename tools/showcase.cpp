// Opens one window in a given state for the README's screenshots (scripts/screenshots.sh):
//   mechsim_showcase MECHANISM run|stop|next|paused|computing
//                                              (MECHANISM: a command name or a .mechsim file)
//                                              a mechanism window after RUN, STOP, next or pause,
//                                              or while a long RUN computes
//   mechsim_showcase MECHANISM refused         after a second RUN refused for a mistyped box
//   mechsim_showcase MECHANISM large           STOP in a window enlarged to 1.5 times its design
//   mechsim_showcase MECHANISM STAGE other guides velocity acceleration centres
//                                              with the assembly boxes ("other"), the guide box
//                                              ("guides"), an arrow box or the centres box
//                                              ("centres") ticked before RUN
//   mechsim_showcase MECHANISM paused step=K   paused, then moved to step K on the time slider
//   mechsim_showcase editor build              the linkage editor: two ground pivots and a crank
//                                              clicked, a dyad half placed
//   mechsim_showcase editor FILE [POINT]       a linkage file in the editor, POINT selected
//   mechsim_showcase editor FILE drag=P:DX,DY  the same while ground pivot P is being dragged by
//                                              (DX, DY) world units
//   mechsim_showcase gauss|lady|nibun          a test bench after its button
//   mechsim_showcase settings                  the settings dialog refusing a mistyped time
//   mechsim_showcase startup|bare              the main menu (or a bare window with a menu bar):
//                                              prints the wall-clock time of its first paint in ns
//                                              and quits (scripts/startup_time.sh)
// "--lang ja|en" anywhere chooses the language, as for mechsim.
// The other windows stay open until the process is killed.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/file_opening.h"
#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/interface_font.h"
#include "app/main_menu.h"
#include "app/settings_dialog.h"
#include "linkage/sketch.h"
#include "linkage_editor/linkage_editor.h"
#include "linkage_editor/sketch_view.h"
#include "plot/primitives.h"
#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "testbench/bisection_window.h"
#include "testbench/closure_window.h"
#include "testbench/gauss_window.h"
#include "widgets/language.h"

namespace {

// Prints the wall-clock time when the watched window has been painted once, then quits.
class FirstPaintClock : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

// A mouse event on the editor's picture at world point `p`.
void Mouse(linkage_editor::LinkageEditor& editor, QEvent::Type type, plot::WorldPoint p)
{
    auto* view = editor.view();
    const QPointF at = view->toWidget(plot::WorldToPicture(*view, editor.worldWindow(), p));
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void Click(linkage_editor::LinkageEditor& editor, plot::WorldPoint p)
{
    Mouse(editor, QEvent::MouseButtonPress, p);
    Mouse(editor, QEvent::MouseButtonRelease, p);
}

// The editor in one of the states of the README's sequence.
int ShowEditor(QApplication& application, const sim::Settings& settings, int argc, char** argv)
{
    const std::string what = argc > 2 ? argv[2] : "build";
    const std::string option = argc > 3 ? argv[3] : "";
    using linkage_editor::Tool;
    linkage_editor::LinkageEditor* editor = nullptr;
    if (what == "build") {
        editor = new linkage_editor::LinkageEditor(settings);
        editor->setZoom(110);
        editor->setGrid(0.02, true);
        editor->setTool(Tool::Ground);
        Click(*editor, {0, 0});
        Click(*editor, {0.68, 0});
        editor->setTool(Tool::Crank);
        Click(*editor, {0.68, 0});
        Click(*editor, {0.9, 0.2});
        editor->setTool(Tool::Dyad);
        Click(*editor, {0, 0});
        Click(*editor, {0.9, 0.2});
    } else {
        sim::Refusable<setup_files::MechsimFile> read = setup_files::ReadMechsimFile(what);
        if (!read) {
            std::fprintf(stderr, "%s\n", app::OpeningRefusalText(read.error()).toUtf8().constData());
            return 2;
        }
        editor = new linkage_editor::LinkageEditor(settings, read.value(), what);
        const std::vector<std::string> names = linkage::PointNames(editor->model());
        if (option.starts_with("drag=")) {
            // drag=P:DX,DY
            const std::string name = option.substr(5, option.find(':') - 5);
            const double dx = std::stod(option.substr(option.find(':') + 1));
            const double dy = std::stod(option.substr(option.find(',') + 1));
            const auto place = std::find(names.begin(), names.end(), name) - names.begin();
            const plot::WorldPoint from = editor->model().ground.at(std::size_t(place)).at;
            editor->setGrid(0, false);
            Mouse(*editor, QEvent::MouseButtonPress, from);
            for (int k = 1; k <= 10; ++k)
                Mouse(*editor, QEvent::MouseMove, {from.x + dx * k / 10, from.y + dy * k / 10});
        } else if (!option.empty()) {
            const auto place = std::find(names.begin(), names.end(), option) - names.begin();
            editor->selectPoint(std::size_t(place));
        }
    }
    editor->move(20, 20);
    editor->show();
    return application.exec();
}

}

int main(int argc, char** argv)
{
    sim::Settings settings;
    widgets::Language language = widgets::LocaleLanguage();
    if (widgets::TakeLanguageOption(argc, argv, language))
        return 2;
    QApplication application(argc, argv);
    widgets::SetLanguage(language);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" || mode == "bare") {
        FirstPaintClock clock;
        std::unique_ptr<QMainWindow> window;
        app::FormOpener opener;
        if (mode == "startup") {
            app::SetInterfaceFont(application);
            app::RegisterForms(opener, settings);
            window = std::make_unique<app::MainMenu>(opener, settings);
        } else {
            window = std::make_unique<QMainWindow>();
            window->menuBar()->addMenu("file")->addAction("終了");
            window->menuBar()->addAction("設定");
            window->resize(480, 360);
        }
        window->installEventFilter(&clock);
        window->show();
        return application.exec();
    }
    app::SetInterfaceFont(application);
    const std::string what = argc > 1 ? argv[1] : "2r";
    const std::string stage = argc > 2 ? argv[2] : "run";

    QWidget* window = nullptr;
    if (what == "gauss" || what == "lady" || what == "nibun") {
        if (what == "gauss")
            window = new testbench::GaussEliminationTest;
        else if (what == "lady")
            window = new testbench::ClosureTest;
        else
            window = new testbench::BisectionTest;
        window->move(20, 20);
        window->show();
        if (auto* button = window->findChild<QPushButton*>("Command1"))
            button->click();
        return application.exec();
    }

    if (what == "editor")
        return ShowEditor(application, settings, argc, argv);

    if (what == "settings") {
        auto* dialog = new app::SettingsDialog(settings);
        dialog->move(20, 20);
        dialog->show();
        dialog->cycleTimeBox->setText("1O");
        dialog->okButton->click();
        return application.exec();
    }

    // A mechanism by its command name, or a set-up or linkage file.
    setup_files::MechsimFile file;
    if (setup_files::NamesMechsimFile(what)) {
        sim::Refusable<setup_files::MechsimFile> read = setup_files::ReadMechsimFile(what);
        if (!read) {
            std::fprintf(stderr, "%s\n", app::OpeningRefusalText(read.error()).toUtf8().constData());
            return 2;
        }
        file = std::move(read).value();
    } else if (const sim::Mechanism* mechanism = mechanisms::FindMechanism(what))
        file.mechanism = {std::shared_ptr<void>(), mechanism};
    else {
        std::fprintf(stderr, "unknown: %s\n", what.c_str());
        return 2;
    }
    if (stage == "computing")   // a long RUN, its progress bar showing
        settings.divisions = 5'000'000;
    auto* form = new sim::MechanismWindow(file, settings);
    form->applySetUp(file);
    form->move(20, 20);
    form->show();
    for (int a = 3; a < argc; ++a) {
        const std::string tick = argv[a];
        for (QCheckBox* box : form->findChildren<QCheckBox*>())
            if ((tick == "other" && box->objectName().startsWith("Check_branch"))
                || (tick == "guides" && box->objectName() == "CheckGuides")
                || (tick == "velocity" && box->objectName() == "CheckVelocity")
                || (tick == "acceleration" && box->objectName() == "CheckAcceleration")
                || (tick == "centres" && box->objectName() == "CheckCentres"))
                box->setChecked(true);
    }
    form->startRun();
    // Let the animation run a while so the picture shows a pose in motion, then act.
    int pausedStep = -1;
    for (int a = 3; a < argc; ++a)
        if (std::string(argv[a]).starts_with("step="))
            pausedStep = std::stoi(std::string(argv[a]).substr(5));
    QTimer::singleShot(1300, form, [form, stage, pausedStep] {
        if (stage == "stop")
            form->showSummary();
        else if (stage == "large") {
            form->resize(form->size() * 1.5);
            form->showSummary();
        } else if (stage == "refused") {
            if (auto* box = form->findChild<QLineEdit*>("Text1_1"))
                box->setText("1O");
            form->startRun();
        } else if (stage == "paused") {
            if (auto* pause = form->findChild<QPushButton*>("Pause"))
                pause->click();
            if (auto* slider = form->findChild<QSlider*>("TimeSlider"); slider && pausedStep >= 0)
                slider->setValue(pausedStep);
        } else if (stage == "next") {
            form->showSummary();
            form->showNextPage();
        }
    });
    return application.exec();
}
