// The bisection test window: the root of x*x - 2 in [0, 2] to the accuracy 1/2^n.
#include "testbench/nibun_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "numeric/bisect.h"
#include "testbench/form_boxes.h"
#include "widgets/message_line.h"

namespace testbench {

namespace {
const QString kAccuracyCaption = QStringLiteral("精度１／２＾ｎ");
}

formnibun::formnibun(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName());
    setWindowTitle(QStringLiteral("二分法テスト"));

    auto* command1 = MakeButton(this, QStringLiteral("Command1"),
                                QStringLiteral("計算精度を設定してボタンを押して下さい"));
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    text2_ = MakeBox(this, QStringLiteral("Text2"), QStringLiteral("10"), kAccuracyCaption);
    text1_ = MakeBox(this, QStringLiteral("Text1"), QString(), QStringLiteral("answer"), true);
    FitLongestNumber(text1_);
    message_ = MakeLabel(this, QStringLiteral("lblMessage"), QString());
    message_->setWordWrap(true);
    widgets::ShowMessage(message_, QString(), widgets::MessageKind::Information);

    auto* boxes = new QGridLayout;
    boxes->addWidget(MakeCaption(this, QStringLiteral("Label1"), kAccuracyCaption, text2_), 0, 0);
    boxes->addWidget(text2_, 0, 1);
    boxes->addWidget(MakeCaption(this, QStringLiteral("Label2"), QStringLiteral("answer"), text1_),
                     1, 0);
    boxes->addWidget(text1_, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(command1);
    layout->addLayout(boxes);
    layout->addWidget(message_);
    layout->addStretch();
}

void formnibun::Command1_Click()
{
    const std::array<NumberBox, 1> inputs{{{text2_, kAccuracyCaption}}};
    text1_->clear();   // a refusal leaves no earlier answer standing
    const BoxValues read = ReadBoxes(inputs);
    if (!read.ok()) {
        widgets::ShowMessage(message_, read.message, widgets::MessageKind::Refusal);
        return;
    }
    widgets::ShowMessage(message_, QString(), widgets::MessageKind::Information);

    double a = 0, b = 2;
    const auto root = numeric::Bisect(a, b, read.values[0]);
    text1_->setText(root ? NumberText(*root) : QStringLiteral("error"));
}

}
