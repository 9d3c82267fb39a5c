// Every text box, button and picture of the test benches can be found by assistive technology.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <memory>

#include "plot/qt/picture_box.h"
#include "testbench/bisection_window.h"
#include "testbench/closure_window.h"
#include "testbench/gauss_window.h"

namespace {

TEST(TestBenchAccessibleNames, EveryBoxButtonAndPictureIsNamed)
{
    std::vector<std::unique_ptr<QWidget>> forms;
    forms.push_back(std::make_unique<testbench::GaussEliminationTest>());
    forms.push_back(std::make_unique<testbench::ClosureTest>());
    forms.push_back(std::make_unique<testbench::BisectionTest>());
    for (const auto& form : forms) {
        QList<QWidget*> controls;
        for (QLineEdit* box : form->findChildren<QLineEdit*>())
            controls << box;
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
            controls << button;
        for (plot::PictureBox* picture : form->findChildren<plot::PictureBox*>())
            controls << picture;
        EXPECT_FALSE(controls.isEmpty()) << form->objectName().toStdString();
        for (QWidget* control : controls)
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << form->objectName().toStdString() << " " << control->objectName().toStdString();
    }
}

}
