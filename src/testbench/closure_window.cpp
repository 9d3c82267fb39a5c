// The closure test window: joint C of the two-link chain from A at the origin to a typed B,
// its coordinates and a drawing of the chain A-C-B.
#include "testbench/closure_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "numeric/closures.h"
#include "plot/qt/picture_box.h"
#include "testbench/controls.h"
#include "testbench/draw_point_chain.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/message_line.h"
#include "widgets/picture_menu.h"

namespace testbench {

namespace {

constexpr double kPictureMm = 80;   // square drawing area

QSize PictureSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const int side = static_cast<int>(std::lround(kPictureMm * dpi / 25.4));
    return {side, side};
}

// Why no joint C joins link a1 from A (the origin) and link a2 to B, in the order the closure
// checks: a link without length, B on A, B farther than the links reach together, or nearer
// than their difference.
QString OutOfReach(double bx, double by, double la, double lb)
{
    const double distance = std::hypot(bx, by);
    if (la == 0 || lb == 0)
        return QCoreApplication::translate(
            "testbench::ClosureTest",
            "B に届きません。長さ 0 の腕（a1 または a2）では鎖が作れないためです。");
    if (distance == 0)
        return QCoreApplication::translate(
            "testbench::ClosureTest",
            "B に届く関節 C が決まりません。B が A と重なっているためです。");
    const QString ab = NumberText(distance);
    if (distance > la + lb)
        return QCoreApplication::translate(
                   "testbench::ClosureTest",
                   "B に届きません。A から B までの距離 %1 が a1 + a2 = %2 より長いためです。")
            .arg(ab, NumberText(la + lb));
    if (distance < std::abs(la - lb))
        return QCoreApplication::translate(
                   "testbench::ClosureTest",
                   "B に届きません。A から B までの距離 %1 が |a1 − a2| = %2 より短いためです。")
            .arg(ab, NumberText(std::abs(la - lb)));
    return QCoreApplication::translate("testbench::ClosureTest", "B に届く関節 C が求まりません。");
}

}

ClosureTest::ClosureTest(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName());

    struct Row {
        Box box;
        int objectIndex;   // the box is Text1_<objectIndex>, its caption Label1_<objectIndex>
        const char* caption;
        const char* text;
        bool output;
        const char* tooltip;
    };
    // Inputs B = (x2, y2), la = a1, lb = a2; outputs C = (xb, yb).
    const std::array<Row, BoxCount> rows{{
        {BX, 0, "x2", "8", false, QT_TR_NOOP("点Bのx座標（点Aは原点）")},
        {BY, 1, "y2", "2", false, QT_TR_NOOP("点Bのy座標（点Aは原点）")},
        {LinkA1, 2, "a1", "10", false, QT_TR_NOOP("点Aから関節Cまでのリンクの長さ（単位は任意）")},
        {LinkA2, 6, "a2", "10", false, QT_TR_NOOP("関節Cから点Bまでのリンクの長さ（単位は任意）")},
        {JointX, 3, "xb", "", true, QT_TR_NOOP("求めた関節Cのx座標")},
        {JointY, 4, "yb", "", true, QT_TR_NOOP("求めた関節Cのy座標")},
    }};

    auto* inputs = new QGridLayout;
    inputs->addWidget(
        MakeLabel(this, QStringLiteral("Label1_8"), QStringLiteral("x2           =0")), 0, 0, 1, 2);
    inputs->addWidget(
        MakeLabel(this, QStringLiteral("Label1_7"), QStringLiteral("y2           =0")), 1, 0, 1, 2);
    int gridRow = 2;
    for (const Row& r : rows) {
        const QString caption = QString::fromUtf8(r.caption);
        QLineEdit* box = MakeBox(this, QStringLiteral("Text1_%1").arg(r.objectIndex),
                                 QString::fromUtf8(r.text), caption, r.output);
        boxes_[r.box] = box;
        if (r.output)
            FitLongestNumber(box);
        inputs->addWidget(
            MakeCaption(this, QStringLiteral("Label1_%1").arg(r.objectIndex), caption, box),
            gridRow, 0);
        inputs->addWidget(box, gridRow, 1);
        ++gridRow;
    }

    auto* runButton = MakeButton(this, QStringLiteral("Command1"), QStringLiteral("Run"));
    connect(runButton, &QPushButton::clicked, this, [this] { closeChain(); });
    // Each click draws over the earlier drawings; this button starts a clean picture.
    auto* erase = MakeButton(this, QStringLiteral("Erase"), QString());
    connect(erase, &QPushButton::clicked, this, [this] { chainPicture_->clear(); });
    message_ = MakeLabel(this, QStringLiteral("lblMessage"), QString());
    message_->setWordWrap(true);
    widgets::ShowFollowingMessage(
        message_, [] { return QString(); }, widgets::MessageKind::Information);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(runButton);
    buttons->addWidget(erase);
    auto* left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addLayout(buttons);
    left->addWidget(message_);
    left->addStretch();

    chainPicture_ = new plot::PictureBox(PictureSize(), this);
    chainPicture_->setObjectName(QStringLiteral("Picture1"));
    widgets::NameForAccessibility(chainPicture_);
    new widgets::PictureMenu(chainPicture_, [] { return QStringLiteral("closure-test_picture1"); });

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(chainPicture_, 0, Qt::AlignTop);

    widgets::FollowLanguage(this, [this, rows, erase] {
        setWindowTitle(tr("レディー関数テスト"));
        for (const Row& r : rows)
            boxes_[r.box]->setToolTip(tr(r.tooltip));
        erase->setText(tr("消去"));
        widgets::NameForAccessibility(erase, erase->text());
    });
}

void ClosureTest::closeChain()
{
    const std::array<NumberBox, 4> inputs{{
        {boxes_[BX], QStringLiteral("x2")},
        {boxes_[BY], QStringLiteral("y2")},
        {boxes_[LinkA1], QStringLiteral("a1")},
        {boxes_[LinkA2], QStringLiteral("a2")},
    }};
    // A refusal empties the answers, so no earlier C is read as this one's.
    boxes_[JointX]->clear();
    boxes_[JointY]->clear();
    const BoxValues read = ReadBoxes(inputs);
    if (!read.ok()) {
        widgets::ShowFollowingMessage(
            message_, [read] { return read.message(); }, widgets::MessageKind::Refusal);
        return;
    }
    const double bx = read.values[0], by = read.values[1];
    const double la = read.values[2], lb = read.values[3];

    // A at the origin, B typed, both at rest; C keeps the origin when the chain cannot close.
    numeric::PointKinematics c;
    const numeric::Status status =
        numeric::SolveDyad(numeric::PointKinematics::AtRest(0, 0),
                           numeric::PointKinematics::AtRest(bx, by), la, lb, c);
    PointChain chain;
    if (status == numeric::Status::Ok) {
        widgets::ShowFollowingMessage(
            message_, [] { return QString(); }, widgets::MessageKind::Information);
        boxes_[JointX]->setText(NumberText(c.x));
        boxes_[JointY]->setText(NumberText(c.y));
        chain = {2, {0, c.x, bx}, {0, c.y, by}};
    } else {
        // Unreachable or degenerate: the chain is the single line A-B.
        widgets::ShowFollowingMessage(
            message_, [=] { return OutOfReach(bx, by, la, lb); }, widgets::MessageKind::Refusal);
        chain = {1, {0, bx, 0}, {0, by, 0}};
    }
    DrawPointChain(*chainPicture_, chain.n, chain.x, chain.y, 1);
    lastChain_ = chain;
}

}
