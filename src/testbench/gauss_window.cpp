// The Gaussian elimination test window: m x (X, Y) = v above, the solved system below.
#include "testbench/gauss_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "numeric/linear_system.h"
#include "testbench/controls.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"

namespace testbench {

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

GaussEliminationTest::GaussEliminationTest(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName());

    messageBox_ = MakeBox(this, QStringLiteral("Text2"), QString(), QString(), true);
    widgets::ShowFollowingMessage(
        messageBox_, [] { return QString(); }, widgets::MessageKind::Information);
    auto* solveButton = MakeButton(this, QStringLiteral("Command1"), QString());
    connect(solveButton, &QPushButton::clicked, this, [this] { solve(); });

    // The coefficient boxes with their captions above them.
    const std::array<const char*, 6> captions{"m(1,1)", "m(1,2)", "m(2,1)",
                                              "m(2,2)", "v(1)",   "v(2)"};
    const std::array<const char*, 6> defaults{"1", "2", "3", "1", "1", "1"};
    const std::array<const char*, 6> tooltips{
        QT_TR_NOOP("行列ｍの1行1列の要素"),         QT_TR_NOOP("行列ｍの1行2列の要素"),
        QT_TR_NOOP("行列ｍの2行1列の要素"),         QT_TR_NOOP("行列ｍの2行2列の要素"),
        QT_TR_NOOP("右辺のベクトルVの1番目の要素"), QT_TR_NOOP("右辺のベクトルVの2番目の要素"),
    };
    std::array<QLabel*, 6> coefficientCaptions{};
    for (int i = 0; i < 6; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        coefficientBoxes_[i] = MakeBox(this, QStringLiteral("Text1_%1").arg(i),
                                       QString::fromUtf8(defaults[i]), caption);
        coefficientCaptions[i] =
            MakeCaption(this, QStringLiteral("Label1_%1").arg(i), caption, coefficientBoxes_[i]);
    }
    // The unknowns of the system and of the solved system; the results are X and Y.
    auto* unknownX = MakeBox(this, QStringLiteral("Text1_7"), QStringLiteral("X"), QString(), true);
    auto* unknownY = MakeBox(this, QStringLiteral("Text1_6"), QStringLiteral("Y"), QString(), true);

    solutionX_ = MakeBox(this, QStringLiteral("Text3_4"), QString(), QStringLiteral("X"), true);
    solutionY_ = MakeBox(this, QStringLiteral("Text3_5"), QString(), QStringLiteral("Y"), true);
    auto* solvedUnknownX =
        MakeBox(this, QStringLiteral("Text3_6"), QStringLiteral("X"), QString(), true);
    auto* solvedUnknownY =
        MakeBox(this, QStringLiteral("Text3_7"), QStringLiteral("Y"), QString(), true);

    // Each system: caption row, first equation, caption row, second equation.
    auto* system = new QGridLayout;
    system->setHorizontalSpacing(8);
    const std::array<QLineEdit*, 2> unknowns{unknownX, unknownY};
    for (int r = 0; r < 2; ++r) {   // equation r + 1: m(r+1, 1), m(r+1, 2), v(r+1)
        const int captionRow = 2 * r, row = captionRow + 1;
        system->addWidget(coefficientCaptions[2 * r], captionRow, MatrixLeft);
        system->addWidget(coefficientCaptions[2 * r + 1], captionRow, MatrixRight);
        system->addWidget(coefficientCaptions[4 + r], captionRow, RightSide);
        system->addWidget(coefficientBoxes_[2 * r], row, MatrixLeft);
        system->addWidget(coefficientBoxes_[2 * r + 1], row, MatrixRight);
        system->addWidget(unknowns[r], row, Unknowns);
        system->addWidget(coefficientBoxes_[4 + r], row, RightSide);
    }
    system->addWidget(Operator(this, QStringLiteral("Label2_0"), QStringLiteral("×")), 1, Times, 3,
                      1);
    QLabel* equals0 = Operator(this, QStringLiteral("Label3_0"), QString());
    system->addWidget(equals0, 1, Equals, 3, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    system->addWidget(rule, 4, MatrixLeft, 1, RightSide + 1);

    // The result system: the unit matrix times (X, Y) equals the solution. The unit entries are
    // the labels Label1_11, Label1_10 over Label1_9, Label1_8; the solution's captions are
    // Label1_7 and Label1_6.
    const std::array<QLineEdit*, 2> solutions{solutionX_, solutionY_};
    const std::array<QLineEdit*, 2> solvedUnknowns{solvedUnknownX, solvedUnknownY};
    for (int r = 0; r < 2; ++r) {
        const int captionRow = 5 + 2 * r, row = captionRow + 1;
        system->addWidget(MakeCaption(this, QStringLiteral("Label1_%1").arg(7 - r),
                                      QStringLiteral("v(%1)").arg(r + 1), solutions[r]),
                          captionRow, RightSide);
        system->addWidget(UnitEntry(this, 11 - 2 * r, QString::number(1 - r)), row, MatrixLeft);
        system->addWidget(UnitEntry(this, 10 - 2 * r, QString::number(r)), row, MatrixRight);
        system->addWidget(solvedUnknowns[r], row, Unknowns);
        system->addWidget(solutions[r], row, RightSide);
    }
    system->addWidget(Operator(this, QStringLiteral("Label2_1"), QStringLiteral("×")), 6, Times, 3,
                      1);
    QLabel* equals1 = Operator(this, QStringLiteral("Label3_1"), QString());
    system->addWidget(equals1, 6, Equals, 3, 1);

    FitLongestNumber(solutionX_);
    FitLongestNumber(solutionY_);
    for (QLineEdit* unknown : {unknownX, unknownY, solvedUnknownX, solvedUnknownY})
        unknown->setMaximumWidth(40);

    auto* top = new QHBoxLayout;
    top->addWidget(solveButton);
    top->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messageBox_);
    layout->addLayout(top);
    layout->addLayout(system);
    layout->addStretch();

    widgets::FollowLanguage(this, [=, this] {
        setWindowTitle(tr("ガウスの消去法テスト"));
        solveButton->setText(tr("行列ｍとベクトルVを設定してRUNを押して下さい"));
        widgets::NameForAccessibility(solveButton, solveButton->text());
        equals0->setText(tr("＝"));
        equals1->setText(tr("＝"));
        for (std::size_t i = 0; i < tooltips.size(); ++i)
            coefficientBoxes_[i]->setToolTip(tr(tooltips[i]));
        solutionX_->setToolTip(tr("解：Xの値"));
        solutionY_->setToolTip(tr("解：Yの値"));
        widgets::NameForAccessibility(unknownX, tr("未知数 X"));
        widgets::NameForAccessibility(unknownY, tr("未知数 Y"));
        widgets::NameForAccessibility(solvedUnknownX, tr("解の未知数 X"));
        widgets::NameForAccessibility(solvedUnknownY, tr("解の未知数 Y"));
    });
}

void GaussEliminationTest::solve()
{
    const std::array<NumberBox, 6> inputs{{
        {coefficientBoxes_[0], QStringLiteral("m(1,1)")},
        {coefficientBoxes_[1], QStringLiteral("m(1,2)")},
        {coefficientBoxes_[2], QStringLiteral("m(2,1)")},
        {coefficientBoxes_[3], QStringLiteral("m(2,2)")},
        {coefficientBoxes_[4], QStringLiteral("v(1)")},
        {coefficientBoxes_[5], QStringLiteral("v(2)")},
    }};
    // A refusal empties the answers, so no earlier result is read as this one's.
    solutionX_->clear();
    solutionY_->clear();
    const BoxValues read = ReadBoxes(inputs);
    if (!read.ok()) {
        widgets::ShowFollowingMessage(
            messageBox_, [read] { return read.message(); }, widgets::MessageKind::Refusal);
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
        widgets::ShowFollowingMessage(
            messageBox_, [this] { return tr("行列ｍは不正です"); }, widgets::MessageKind::Refusal);
        return;
    }
    widgets::ShowFollowingMessage(
        messageBox_, [this] { return tr("下段は結果です"); }, widgets::MessageKind::Information);
    solutionX_->setText(NumberText(v[1]));
    solutionY_->setText(NumberText(v[2]));
}

}
