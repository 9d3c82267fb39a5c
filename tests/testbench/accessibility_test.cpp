// Every text box, button and picture of the test benches can be found by assistive technology.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <memory>

#include "plot/qt/picture_box.h"
#include "testbench/gauss_form.h"
#include "testbench/lady_form.h"
#include "testbench/nibun_form.h"

namespace {

TEST(TestBenchAccessibleNames, EveryBoxButtonAndPictureIsNamed)
{
    std::vector<std::unique_ptr<QWidget>> forms;
    forms.push_back(std::make_unique<testbench::Formgauss>());
    forms.push_back(std::make_unique<testbench::Formlady>());
    forms.push_back(std::make_unique<testbench::formnibun>());
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
