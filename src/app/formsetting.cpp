// The settings dialog: two boxes, "OK", and the refusal shown in red inside the dialog.
#include "app/formsetting.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <variant>

#include "widgets/accessible_names.h"
#include "widgets/message_line.h"

namespace app {

formsetting::formsetting(sim::Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings)
{
    setObjectName("formsetting");
    setWindowTitle("setting");

    Label1 = new QLabel("サイクルタイム(秒)＝", this);
    // Every opening starts from the defaults, not from the settings in force.
    const sim::Settings defaults;
    Text1 = new QLineEdit(QString::fromStdString(sim::CycleTimeText(defaults)), this);
    Label2 = new QLabel("時分割数＝", this);
    Text2 = new QLineEdit(QString::fromStdString(sim::DivisionCountText(defaults)), this);
    Command1 = new QPushButton("OK", this);
    lblMessage = new QLabel(this);
    Label1->setObjectName("Label1");
    Text1->setObjectName("Text1");
    Label2->setObjectName("Label2");
    Text2->setObjectName("Text2");
    Command1->setObjectName("Command1");
    lblMessage->setObjectName("lblMessage");

    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    widgets::NameForAccessibility(Text1, Label1->text());
    widgets::NameForAccessibility(Text2, Label2->text());
    widgets::NameForAccessibility(Command1, Command1->text());

    lblMessage->setWordWrap(true);
    lblMessage->hide();

    auto* grid = new QGridLayout(this);
    // The dialog grows with a refusal instead of cutting it off.
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    grid->addWidget(Label1, 0, 0, Qt::AlignRight);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Label2, 1, 0, Qt::AlignRight);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(lblMessage, 2, 0, 1, 2);
    grid->addWidget(Command1, 3, 0, 1, 2, Qt::AlignHCenter);

    connect(Command1, &QPushButton::clicked, this, &formsetting::Command1_Click);
}

void formsetting::Command1_Click()
{
    const auto parsed =
        sim::ParseSettings(Text1->text().toStdString(), Text2->text().toStdString());
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        widgets::ShowMessage(lblMessage, QString::fromStdString(*message),
                             widgets::MessageKind::Refusal);
        lblMessage->show();
        adjustSize();
        return;
    }
    settings_ = std::get<sim::Settings>(parsed);
    close();
}

}
