// The settings dialog: two boxes, "OK", and the refusal shown in red inside the dialog.
#include "app/settings_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <variant>

#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"

namespace app {

SettingsDialog::SettingsDialog(sim::Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings)
{
    setObjectName("formsetting");
    setWindowTitle("setting");

    cycleTimeCaption = new QLabel(this);
    // Every opening starts from the defaults, not from the settings in force.
    const sim::Settings defaults;
    cycleTimeBox = new QLineEdit(QString::fromStdString(sim::CycleTimeText(defaults)), this);
    divisionsCaption = new QLabel(this);
    divisionsBox = new QLineEdit(QString::fromStdString(sim::DivisionCountText(defaults)), this);
    okButton = new QPushButton("OK", this);
    refusalLabel = new QLabel(this);
    cycleTimeCaption->setObjectName("Label1");
    cycleTimeBox->setObjectName("Text1");
    divisionsCaption->setObjectName("Label2");
    divisionsBox->setObjectName("Text2");
    okButton->setObjectName("Command1");
    refusalLabel->setObjectName("lblMessage");

    cycleTimeCaption->setBuddy(cycleTimeBox);
    divisionsCaption->setBuddy(divisionsBox);
    widgets::NameForAccessibility(okButton, okButton->text());
    widgets::FollowLanguage(this, [this] {
        cycleTimeCaption->setText(tr("サイクルタイム(秒)＝"));
        divisionsCaption->setText(tr("時分割数＝"));
        widgets::NameForAccessibility(cycleTimeBox, cycleTimeCaption->text());
        widgets::NameForAccessibility(divisionsBox, divisionsCaption->text());
        cycleTimeBox->setToolTip(tr("一回の動きにかける時間［秒］（0.000001 から 1000000 まで）"));
        divisionsBox->setToolTip(
            tr("一回の動きを何ステップに分けて計算するか（1 から 10000000 までの整数。10000000 では結果ファイルが約 1.8 GB になります）"));
        if (!refusal_.empty())
            widgets::ShowMessage(refusalLabel, widgets::TranslateCore(refusal_),
                                 widgets::MessageKind::Refusal);
    });

    refusalLabel->setWordWrap(true);
    refusalLabel->hide();

    auto* grid = new QGridLayout(this);
    // The dialog grows with a refusal instead of cutting it off.
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    grid->addWidget(cycleTimeCaption, 0, 0, Qt::AlignRight);
    grid->addWidget(cycleTimeBox, 0, 1);
    grid->addWidget(divisionsCaption, 1, 0, Qt::AlignRight);
    grid->addWidget(divisionsBox, 1, 1);
    grid->addWidget(refusalLabel, 2, 0, 1, 2);
    grid->addWidget(okButton, 3, 0, 1, 2, Qt::AlignHCenter);

    connect(okButton, &QPushButton::clicked, this, &SettingsDialog::confirm);
}

void SettingsDialog::confirm()
{
    const auto parsed =
        sim::ParseSettings(cycleTimeBox->text().toStdString(), divisionsBox->text().toStdString());
    if (!parsed) {
        refusal_ = parsed.error().reason;
        widgets::ShowMessage(refusalLabel, widgets::TranslateCore(refusal_),
                             widgets::MessageKind::Refusal);
        refusalLabel->show();
        adjustSize();
        return;
    }
    settings_ = parsed.value();
    close();
}

}
