// The bisection test window: the root of x*x - 2 in [0, 2] to the accuracy 1/2^n.
#include "testbench/bisection_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "numeric/bisect.h"
#include "testbench/controls.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"

namespace testbench {

namespace {
const char* const kAccuracyCaption =
    QT_TRANSLATE_NOOP("testbench::BisectionTest", "精度１／２＾ｎ");
}

BisectionTest::BisectionTest(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName());

    auto* runButton = MakeButton(this, QStringLiteral("Command1"), QString());
    connect(runButton, &QPushButton::clicked, this, [this] { findRoot(); });

    halvingsBox_ = MakeBox(this, QStringLiteral("Text2"), QStringLiteral("10"), QString());
    answerBox_ = MakeBox(this, QStringLiteral("Text1"), QString(), QStringLiteral("answer"), true);
    FitLongestNumber(answerBox_);
    message_ = MakeLabel(this, QStringLiteral("lblMessage"), QString());
    message_->setWordWrap(true);
    widgets::ShowFollowingMessage(
        message_, [] { return QString(); }, widgets::MessageKind::Information);

    auto* boxes = new QGridLayout;
    QLabel* accuracy = MakeCaption(this, QStringLiteral("Label1"), QString(), halvingsBox_);
    boxes->addWidget(accuracy, 0, 0);
    boxes->addWidget(halvingsBox_, 0, 1);
    boxes->addWidget(
        MakeCaption(this, QStringLiteral("Label2"), QStringLiteral("answer"), answerBox_), 1, 0);
    boxes->addWidget(answerBox_, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(runButton);
    layout->addLayout(boxes);
    layout->addWidget(message_);
    layout->addStretch();

    widgets::FollowLanguage(this, [this, runButton, accuracy] {
        setWindowTitle(tr("二分法テスト"));
        runButton->setText(tr("計算精度を設定してボタンを押して下さい"));
        widgets::NameForAccessibility(runButton, runButton->text());
        accuracy->setText(tr(kAccuracyCaption));
        widgets::NameForAccessibility(halvingsBox_, accuracy->text());
        halvingsBox_->setToolTip(tr("精度：区間を半分にする回数 n、幅が 1/2^n になるまで"));
        answerBox_->setToolTip(tr("x*x - 2 = 0 の 0 から 2 の間の根"));
    });
}

void BisectionTest::findRoot()
{
    const std::array<NumberBox, 1> inputs{{{halvingsBox_, tr(kAccuracyCaption)}}};
    answerBox_->clear();   // a refusal leaves no earlier answer standing
    const BoxValues read = ReadBoxes(inputs);
    if (!read.ok()) {
        // The caption is taken again in the language in force.
        widgets::ShowFollowingMessage(
            message_,
            [this, beyond = read.beyondRange] {
                return BoxValues{{}, tr(kAccuracyCaption), beyond}.message();
            },
            widgets::MessageKind::Refusal);
        return;
    }
    widgets::ShowFollowingMessage(
        message_, [] { return QString(); }, widgets::MessageKind::Information);

    double a = 0, b = 2;
    const auto root = numeric::Bisect(a, b, read.values[0]);
    answerBox_->setText(root ? NumberText(*root) : QStringLiteral("error"));
}

}
