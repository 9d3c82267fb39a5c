// A mechanism window: reads its boxes, hands them to the frame, shows what the frame draws.
#include "sim/qt/simulation_form.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "plot/qt/picture_box.h"
#include "sim/picture_sizes.h"
#include "sim/settings.h"

namespace sim {

namespace {

constexpr int kTimerIntervalMs = 50;
constexpr int kMargin = 8;
constexpr int kRowHeight = 40;      // one input row
constexpr int kFirstRowTop = 176;   // first input row, below RUN and STOP
constexpr int kOptionsTop = 472;    // profile buttons, below seven input rows
constexpr int kBoxWidth = 64;
constexpr int kBoxHeight = 26;
constexpr int kPicturesLeftMin = 104;   // left edge of the pictures with short captions

const char* const kProfileCaptions[3] = {"５次曲線", "３次曲線", "等速曲線"};
// Legend strokes beside the graph captions: value, velocity, acceleration trace colours.
const char* const kLegendColours[3] = {"#000080", "#008000", "#800000"};

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

void Name(QWidget* w, const QString& objectName, const QString& caption)
{
    w->setObjectName(objectName);
    w->setAccessibleName(caption.isEmpty() ? objectName : caption);
}

}

SimulationForm::SimulationForm(const Mechanism& mechanism, QWidget* parent)
    : QWidget(parent), frame_(mechanism)
{
    setObjectName(Q(mechanism.formName));
    setWindowTitle(Q(mechanism.windowTitle.empty() ? mechanism.title : mechanism.windowTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    // Form_Load: the timer starts disabled; the boxes keep their design-time texts.
}

SimulationForm::~SimulationForm() = default;

void SimulationForm::buildControls()
{
    const Mechanism& m = frame_.mechanism();
    const QFontMetrics metrics(font());

    int captionWidth = 41;
    for (const InputBox& box : m.inputs)
        captionWidth = std::max(captionWidth, metrics.horizontalAdvance(Q(box.caption)) + 6);
    const int boxLeft = kMargin + captionWidth + 4;
    const int picturesLeft = std::max(kPicturesLeftMin, boxLeft + kBoxWidth + kMargin);

    run_ = new QPushButton("run", this);
    Name(run_, "RUN", "run");
    run_->setGeometry(kMargin, 24, 72, 39);
    stop_ = new QPushButton("stop", this);
    Name(stop_, "STOP", "stop");
    stop_->setGeometry(kMargin, 73, 72, 39);

    // Input rows from top to bottom in Text1 index order; boxes the form never reads are left out.
    int row = 0;
    for (const InputBox& box : m.inputs) {
        const auto slot = static_cast<std::size_t>(box.index);
        if (text1_.size() <= slot)
            text1_.resize(slot + 1, nullptr);
        if (box.key.empty())
            continue;
        const int top = kFirstRowTop + kRowHeight * row++;
        auto* label = new QLabel(Q(box.caption), this);
        label->setObjectName(QString("Label1_%1").arg(box.index));
        label->setGeometry(kMargin, top, captionWidth, kBoxHeight);
        auto* edit = new QLineEdit(Q(box.defaultText), this);
        Name(edit, QString("Text1_%1").arg(box.index), Q(box.caption));
        edit->setGeometry(boxLeft, top, kBoxWidth, kBoxHeight);
        label->setBuddy(edit);
        text1_[slot] = edit;
    }

    const int optionsTop = std::max(kOptionsTop, kFirstRowTop + kRowHeight * row + 16);
    for (int i = 0; i < 3; ++i) {
        const int top = optionsTop + 32 * i;
        auto* label = new QLabel(kProfileCaptions[i], this);
        label->setObjectName(QString("Label2_%1").arg(i));
        label->setGeometry(kMargin, top, 64, 20);
        auto* option = new QRadioButton(this);
        Name(option, QString("Option1_%1").arg(i), kProfileCaptions[i]);
        option->setGeometry(kMargin + 68, top, 20, 20);
        option->setChecked(i == 0);
        option1_.push_back(option);
    }

    // Graph captions with the colour legend, then the three pictures.
    const int picture2Left = picturesLeft + kPicture1Size.width + 2;
    const int captionLefts[2] = {picturesLeft, picture2Left};
    for (int g = 0; g < 2; ++g) {
        auto* caption = new QLabel(Q(m.graphCaptions[static_cast<std::size_t>(g)]), this);
        caption->setObjectName(QString("Label3_%1").arg(g));
        caption->setGeometry(captionLefts[g] + 30, 4, 240, 22);
        for (int c = 0; c < 3; ++c) {
            auto* stroke = new QFrame(this);
            stroke->setObjectName(QString("Line2_%1").arg(3 * g + c));
            stroke->setGeometry(captionLefts[g] + 2, 9 + 5 * c, 22, 2);
            stroke->setStyleSheet(QString("background: %1;").arg(kLegendColours[c]));
        }
    }

    auto makePicture = [this](const char* name, PixelSize size, int left, int top) {
        auto* picture = new plot::PictureBox(QSize(size.width, size.height), this);
        Name(picture, name, name);
        picture->move(left, top);
        return picture;
    };
    picture1_ = makePicture("Picture1", kPicture1Size, picturesLeft, 30);
    picture2_ = makePicture("Picture2", kPicture2Size, picture2Left, 30);
    const int viewTop = 30 + kPicture1Size.height + 36;
    picture3_ = makePicture("Picture3", kPicture3Size, picturesLeft, viewTop);

    text2_ = new QLineEdit(this);
    Name(text2_, "Text2", "Text2");
    text2_->setReadOnly(true);
    text2_->setGeometry(picturesLeft + 40, viewTop - 32, 64, kBoxHeight);
    next_ = new QPushButton("next", this);
    Name(next_, "next", "next");
    next_->setGeometry(picturesLeft + 112, viewTop - 32, 56, kBoxHeight);
    label4_ = new QLabel("動画", this);
    label4_->setObjectName("Label4");
    label4_->setGeometry(picturesLeft + 186, viewTop - 30, 240, 22);

    const int bottom = viewTop + kPicture3Size.height;
    message_ = new QLabel(this);
    message_->setObjectName("lblMessage");
    message_->setAccessibleName("メッセージ");
    message_->setStyleSheet("color: #b00000;");
    message_->setWordWrap(true);
    message_->setGeometry(kMargin, bottom + 6, picturesLeft + kPicture3Size.width - kMargin, 36);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kTimerIntervalMs);

    connect(run_, &QPushButton::clicked, this, &SimulationForm::RUN_Click);
    connect(stop_, &QPushButton::clicked, this, &SimulationForm::STOP_Click);
    connect(next_, &QPushButton::clicked, this, &SimulationForm::next_Click);
    connect(timer1_, &QTimer::timeout, this, &SimulationForm::Timer1_Timer);

    setFixedSize(picturesLeft + kPicture3Size.width + kMargin, bottom + 48);
}

ProfileKind SimulationForm::selectedProfile() const
{
    if (option1_[0]->isChecked())
        return ProfileKind::Quintic;
    if (option1_[1]->isChecked())
        return ProfileKind::Cubic;
    return ProfileKind::Linear;
}

bool SimulationForm::isAnimating() const
{
    return timer1_->isActive();
}

void SimulationForm::showMessage(const QString& text)
{
    message_->setText(text);
}

void SimulationForm::RUN_Click()
{
    // A refused run leaves the previous one animating as it was.
    const bool wasAnimating = timer1_->isActive();
    timer1_->stop();

    std::vector<std::string> texts(text1_.size());
    for (std::size_t i = 0; i < text1_.size(); ++i)
        if (text1_[i])
            texts[i] = text1_[i]->text().toStdString();

    // The N and T in force now hold for every handler of this run.
    const GlobalSettings& settings = Settings();
    const RunContext context{static_cast<int>(settings.DivisionCount), settings.CycleTime,
                             selectedProfile()};
    const RunReport report =
        frame_.Run(texts, context, resultPath_, *picture1_, *picture2_, *picture3_);
    showMessage(QString::fromStdString(report.message));
    if (!report.computed) {
        if (wasAnimating)
            timer1_->start();
        return;
    }
    if (frame_.mechanism().traits.showsOkAfterCompute)
        text2_->setText("ok");
    timer1_->start();
}

void SimulationForm::Timer1_Timer()
{
    if (const std::optional<int> shown = frame_.Tick(*picture3_))
        text2_->setText(QString::number(*shown));
}

void SimulationForm::STOP_Click()
{
    if (!frame_.hasRun())
        return;
    timer1_->stop();
    frame_.Stop(*picture3_);
}

void SimulationForm::next_Click()
{
    if (!frame_.hasRun())
        return;
    if (frame_.mechanism().traits.nextStopsTimer)
        timer1_->stop();
    if (const std::optional<std::string> caption = frame_.Next(*picture3_))
        label4_->setText(Q(*caption));
}

void SimulationForm::closeEvent(QCloseEvent* event)
{
    timer1_->stop();
    QWidget::closeEvent(event);
}

}
