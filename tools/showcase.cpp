// Opens one window in a given state for the README's screenshots (scripts/screenshots.sh):
//   mechsim_showcase MECHANISM run|stop|next   a mechanism window after RUN, STOP or next
//   mechsim_showcase gauss|lady|nibun          a test bench after its button
// The window stays open until the process is killed.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/form_catalog.h"
#include "app/form_opener.h"
#include "app/interface_font.h"
#include "mechanisms/catalog.h"
#include "sim/qt/simulation_form.h"
#include "testbench/gauss_form.h"
#include "testbench/lady_form.h"
#include "testbench/nibun_form.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::SetInterfaceFont(application);
    const std::string what = argc > 1 ? argv[1] : "2r";
    const std::string stage = argc > 2 ? argv[2] : "run";

    QWidget* window = nullptr;
    if (what == "gauss" || what == "lady" || what == "nibun") {
        if (what == "gauss")
            window = new testbench::Formgauss;
        else if (what == "lady")
            window = new testbench::Formlady;
        else
            window = new testbench::formnibun;
        window->move(20, 20);
        window->show();
        if (auto* button = window->findChild<QPushButton*>("Command1"))
            button->click();
        return application.exec();
    }

    const sim::Mechanism* mechanism = mechanisms::FindMechanism(what);
    if (!mechanism) {
        std::fprintf(stderr, "unknown: %s\n", what.c_str());
        return 2;
    }
    auto* form = new sim::SimulationForm(*mechanism);
    form->move(20, 20);
    form->show();
    form->RUN_Click();
    // Let the animation run a while so the picture shows a pose in motion, then act.
    QTimer::singleShot(1300, form, [form, stage] {
        if (stage == "stop")
            form->STOP_Click();
        else if (stage == "next") {
            form->STOP_Click();
            form->next_Click();
        }
    });
    return application.exec();
}
