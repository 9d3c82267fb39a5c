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
    if (app::NamesMechsimFile(what)) {
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
