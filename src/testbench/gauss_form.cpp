// The Gaussian elimination test window: m x (X, Y) = v above, the solved system below.
#include "testbench/gauss_form.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "numeric/linear_system.h"
#include "testbench/form_boxes.h"
#include "widgets/message_line.h"

namespace testbench {

using widgets::ShowMessage;

namespace {

// Columns of one system row: matrix column 1, column 2, "×", unknowns, "＝", right-hand side.
enum Column { MatrixLeft, MatrixRight, Times, Unknowns, Equals, RightSide };

QLabel* Operator(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = MakeLabel(parent, name, text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* UnitEntry(QWidget* parent, int index, const QString& text)
{
    QLabel* label = MakeLabel(parent, QStringLiteral("Label1_%1").arg(index), text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}

Formgauss::Formgauss(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName());
    setWindowTitle(QStringLiteral("ガウスの消去法テスト"));

    text2_ = MakeBox(this, QStringLiteral("Text2"), QString(), QString(), true);
    ShowMessage(text2_, QString(), widgets::MessageKind::Information);
    auto* command1 = MakeButton(this, QStringLiteral("Command1"),
                                QStringLiteral("行列ｍとベクトルVを設定してRUNを押して下さい"));
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // Input boxes Text1(0..5) with their captions Label1(0..5).
    const std::array<const char*, 6> captions{"m(1,1)", "m(1,2)", "m(2,1)",
                                              "m(2,2)", "v(1)",   "v(2)"};
    const std::array<const char*, 6> defaults{"1", "2", "3", "1", "1", "1"};
    std::array<QLabel*, 6> label1{};
    for (int i = 0; i < 6; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        text1_[i] = MakeBox(this, QStringLiteral("Text1_%1").arg(i), QString::fromUtf8(defaults[i]),
                            caption);
        label1[i] = MakeCaption(this, QStringLiteral("Label1_%1").arg(i), caption, text1_[i]);
    }
    // The unknowns of the system and of the solved system; the results are X and Y.
    text1_[7] = MakeBox(this, QStringLiteral("Text1_7"), QStringLiteral("X"),
                        QStringLiteral("未知数 X"), true);
    text1_[6] = MakeBox(this, QStringLiteral("Text1_6"), QStringLiteral("Y"),
                        QStringLiteral("未知数 Y"), true);

    text3X_ = MakeBox(this, QStringLiteral("Text3_4"), QString(), QStringLiteral("X"), true);
    text3Y_ = MakeBox(this, QStringLiteral("Text3_5"), QString(), QStringLiteral("Y"), true);
    auto* text3_6 = MakeBox(this, QStringLiteral("Text3_6"), QStringLiteral("X"),
                            QStringLiteral("解の未知数 X"), true);
    auto* text3_7 = MakeBox(this, QStringLiteral("Text3_7"), QStringLiteral("Y"),
                            QStringLiteral("解の未知数 Y"), true);

    // Each system: caption row, first equation, caption row, second equation.
    auto* system = new QGridLayout;
    system->setHorizontalSpacing(8);
    system->addWidget(label1[0], 0, MatrixLeft);
    system->addWidget(label1[1], 0, MatrixRight);
    system->addWidget(label1[4], 0, RightSide);
    system->addWidget(text1_[0], 1, MatrixLeft);
    system->addWidget(text1_[1], 1, MatrixRight);
    system->addWidget(text1_[7], 1, Unknowns);
    system->addWidget(text1_[4], 1, RightSide);
    system->addWidget(label1[2], 2, MatrixLeft);
    system->addWidget(label1[3], 2, MatrixRight);
    system->addWidget(label1[5], 2, RightSide);
    system->addWidget(text1_[2], 3, MatrixLeft);
    system->addWidget(text1_[3], 3, MatrixRight);
    system->addWidget(text1_[6], 3, Unknowns);
    system->addWidget(text1_[5], 3, RightSide);
    system->addWidget(Operator(this, QStringLiteral("Label2_0"), QStringLiteral("×")), 1, Times, 3,
                      1);
    system->addWidget(Operator(this, QStringLiteral("Label3_0"), QStringLiteral("＝")), 1, Equals,
                      3, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    system->addWidget(rule, 4, MatrixLeft, 1, RightSide + 1);

    // The result system: the unit matrix (Label1 11, 10 / 9, 8) times (X, Y) equals the solution.
    system->addWidget(
        MakeCaption(this, QStringLiteral("Label1_7"), QStringLiteral("v(1)"), text3X_), 5,
        RightSide);
    system->addWidget(UnitEntry(this, 11, QStringLiteral("1")), 6, MatrixLeft);
    system->addWidget(UnitEntry(this, 10, QStringLiteral("0")), 6, MatrixRight);
    system->addWidget(text3_6, 6, Unknowns);
    system->addWidget(text3X_, 6, RightSide);
    system->addWidget(
        MakeCaption(this, QStringLiteral("Label1_6"), QStringLiteral("v(2)"), text3Y_), 7,
        RightSide);
    system->addWidget(UnitEntry(this, 9, QStringLiteral("0")), 8, MatrixLeft);
    system->addWidget(UnitEntry(this, 8, QStringLiteral("1")), 8, MatrixRight);
    system->addWidget(text3_7, 8, Unknowns);
    system->addWidget(text3Y_, 8, RightSide);
    system->addWidget(Operator(this, QStringLiteral("Label2_1"), QStringLiteral("×")), 6, Times, 3,
                      1);
    system->addWidget(Operator(this, QStringLiteral("Label3_1"), QStringLiteral("＝")), 6, Equals,
                      3, 1);

    FitLongestNumber(text3X_);
    FitLongestNumber(text3Y_);
    for (QLineEdit* unknown : {text1_[7], text1_[6], text3_6, text3_7})
        unknown->setMaximumWidth(40);

    auto* top = new QHBoxLayout;
    top->addWidget(command1);
    top->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text2_);
    layout->addLayout(top);
    layout->addLayout(system);
    layout->addStretch();
}

void Formgauss::Command1_Click()
{
    const std::array<NumberBox, 6> inputs{{
        {text1_[0], QStringLiteral("m(1,1)")},
        {text1_[1], QStringLiteral("m(1,2)")},
        {text1_[2], QStringLiteral("m(2,1)")},
        {text1_[3], QStringLiteral("m(2,2)")},
        {text1_[4], QStringLiteral("v(1)")},
        {text1_[5], QStringLiteral("v(2)")},
    }};
    // A refusal empties the answers, so no earlier result is read as this one's.
    text3X_->clear();
    text3Y_->clear();
    const BoxValues read = ReadBoxes(inputs);
    if (!read.ok()) {
        ShowMessage(text2_, read.message, widgets::MessageKind::Refusal);
        return;
    }
    const std::vector<double>& t = read.values;

    // Fresh arrays at every click: nothing carries over from the previous one.
    numeric::Matrix m = numeric::MakeMatrix(2);
    numeric::Vector v = numeric::MakeVector(2);
    numeric::Matrix inv = numeric::MakeMatrix(2);
    m[1][1] = t[0];
    m[1][2] = t[1];
    m[2][1] = t[2];
    m[2][2] = t[3];
    v[1] = t[4];
    v[2] = t[5];

    numeric::Status status = numeric::SolveLinearSystem(2, m, v, inv);
    // A tiny accepted pivot can overflow; such a "solution" is reported as a failure.
    if (NumberText(v[1]).isEmpty() || NumberText(v[2]).isEmpty())
        status = numeric::Status::Error;

    if (status != numeric::Status::Ok) {
        ShowMessage(text2_, QStringLiteral("行列ｍは不正です"), widgets::MessageKind::Refusal);
        return;
    }
    ShowMessage(text2_, QStringLiteral("下段は結果です"), widgets::MessageKind::Information);
    text3X_->setText(NumberText(v[1]));
    text3Y_->setText(NumberText(v[2]));
}

}
