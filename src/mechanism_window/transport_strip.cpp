// The transport strip's controls, its keys and how it shows a step, a run's length and a run
// in progress.
#include "mechanism_window/transport_strip.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "numeric/number_text.h"
#include "run/run_progress.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"
#include "widgets/qt_string.h"

namespace sim {

namespace {

constexpr int kMargin = 8;        // as the window's left column
constexpr int kValuesLines = 7;   // the step line, then up to three pairs of names and numbers
constexpr int kColumnGap = 12;    // pixels between two columns of the values

template <typename W> W* Named(W* w, const char* objectName, const QString& accessibleName)
{
    w->setObjectName(objectName);
    widgets::NameForAccessibility(w, accessibleName);
    return w;
}

}

TransportStrip::TransportStrip(int width, QWidget* parent) : QWidget(parent)
{
    setObjectName("TransportStrip");

    pause_ = Named(new QPushButton(this), "Pause", QString());
    pause_->setCheckable(true);   // pressed while paused, which a screen reader says as well
    back_ = Named(new QPushButton("◀", this), "StepBack", QString());
    forward_ = Named(new QPushButton("▶", this), "StepForward", QString());
    for (QPushButton* b : {back_, forward_})
        b->setFixedWidth(36);
    slider_ = Named(new QSlider(Qt::Horizontal, this), "TimeSlider", QString());
    slider_->setRange(0, 0);
    auto* speedLabel = new QLabel(this);
    speed_ = Named(new QComboBox(this), "Speed", QString());
    for (double s : kSpeeds)
        speed_->addItem(widgets::ToQString(numeric::FormatNumber(s)) + "×");
    speed_->setCurrentIndex(kNormalSpeed);
    speedLabel->setBuddy(speed_);

    values_ = Named(new QPlainTextEdit(this), "CurrentValues", QString());
    values_->setReadOnly(true);
    values_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    values_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(values_->font());
    values_->setFixedHeight(metrics.lineSpacing() * kValuesLines + 2 * values_->frameWidth()
                            + 2 * static_cast<int>(values_->document()->documentMargin()));

    copyTable_ = Named(new QPushButton(this), "CopyTable", QString());

    progress_ = Named(new QProgressBar(this), "Progress", QString());
    cancel_ = Named(new QPushButton(this), "Cancel", QString());
    widgets::FollowLanguage(this, [this, speedLabel] {
        showPauseCaption();
        widgets::NameForAccessibility(pause_, tr("一時停止"));
        back_->setToolTip(tr("1ステップ戻る"));
        forward_->setToolTip(tr("1ステップ進む"));
        widgets::NameForAccessibility(back_, back_->toolTip());
        widgets::NameForAccessibility(forward_, forward_->toolTip());
        widgets::NameForAccessibility(slider_, tr("時刻スライダー"));
        slider_->setToolTip(tr("表示するステップ（0 から N まで）"));
        speedLabel->setText(tr("速さ"));
        widgets::NameForAccessibility(speed_, speedLabel->text());
        speed_->setToolTip(tr("アニメーションの速さ：50 ms ごとに進むステップ数の倍率"));
        widgets::NameForAccessibility(values_, tr("現在の値"));
        values_->setToolTip(tr("表示中のステップの result.dat の行（列の名前の下に値）"));
        widgets::NameForAccessibility(progress_, tr("進行状況"));
        copyTable_->setText(tr("表をコピー"));
        widgets::NameForAccessibility(copyTable_, copyTable_->text());
        copyTable_->setToolTip(
            tr("全ステップの表（result.dat と同じ列）をクリップボードにコピーします"));
        cancel_->setText(tr("中止"));
        widgets::NameForAccessibility(cancel_, cancel_->text());
    });

    auto* transport = new QHBoxLayout;
    transport->addWidget(pause_);
    transport->addWidget(back_);
    transport->addWidget(forward_);
    transport->addWidget(slider_, 1);
    transport->addWidget(speedLabel);
    transport->addWidget(speed_);
    auto* running = new QHBoxLayout;
    running->addWidget(progress_, 1);
    running->addWidget(cancel_);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(kMargin, 4, kMargin, 4);
    rows->addLayout(transport);
    auto* values = new QHBoxLayout;
    values->addWidget(values_, 1);
    values->addWidget(copyTable_, 0, Qt::AlignTop);
    rows->addLayout(values);
    rows->addLayout(running);

    // Pausing follows the button's state, however it changed: a click, its key, setChecked or
    // a screen reader's toggle. showPlaying sets that state quietly, so the player's own
    // changes are shown without being asked for again.
    connect(pause_, &QPushButton::toggled, this, [this] {
        showPauseCaption();
        emit pauseToggled();
    });
    connect(back_, &QPushButton::clicked, this, [this] { emit stepBy(-1); });
    connect(forward_, &QPushButton::clicked, this, [this] { emit stepBy(1); });
    connect(slider_, &QSlider::valueChanged, this, &TransportStrip::stepChosen);
    connect(speed_, &QComboBox::currentIndexChanged, this, &TransportStrip::speedChosen);
    connect(cancel_, &QPushButton::clicked, this, &TransportStrip::cancelRequested);
    connect(copyTable_, &QPushButton::clicked, this, &TransportStrip::copyTableRequested);

    // The window's keys. A box being typed in keeps its own Space, arrows, Home and End.
    addKey(Qt::Key_Space, [this] { emit pauseToggled(); });
    addKey(Qt::Key_Left, [this] { emit stepBy(-1); });
    addKey(Qt::Key_Right, [this] { emit stepBy(1); });
    addKey(Qt::Key_Home, [this] { emit stepChosen(0); });
    addKey(Qt::Key_End, [this] { emit stepChosen(slider_->maximum()); });

    for (QWidget* w :
         std::initializer_list<QWidget*>{pause_, back_, forward_, slider_, speed_, copyTable_})
        w->setEnabled(false);
    hideProgress();
    // Kept the same size whether or not the progress row shows, so nothing moves.
    QSizePolicy keep = progress_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keep);
    keep = cancel_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    cancel_->setSizePolicy(keep);
    setFixedSize(width, sizeHint().height());
}

void TransportStrip::addKey(int key, const std::function<void()>& action)
{
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, action] {
        if (slider_->isEnabled())
            action();
    });
}

void TransportStrip::showRunLength(int divisions)
{
    const QSignalBlocker quiet(slider_);
    slider_->setRange(0, divisions);
    slider_->setPageStep(std::max(1, divisions / 20));
    for (QWidget* w :
         std::initializer_list<QWidget*>{pause_, back_, forward_, slider_, speed_, copyTable_})
        w->setEnabled(true);
}

void TransportStrip::showPlaying(bool playing)
{
    {
        const QSignalBlocker quiet(pause_);
        pause_->setChecked(!playing);
    }
    showPauseCaption();
}

void TransportStrip::showPauseCaption()
{
    // The button is pressed while paused.
    pause_->setText(pause_->isChecked() ? tr("再開") : tr("一時停止"));
}

void TransportStrip::showStep(int step, const StepValues& values)
{
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(step);
    }
    // Columns as wide as the widest name or number, so each number stands under its name; as
    // many to a line as the box is wide, the rest on further pairs of lines.
    const QFontMetrics metrics(values_->font());
    int widest = 0;
    for (const auto* items : {&values.names, &values.values})
        for (const std::string& item : *items)
            widest = std::max(widest, metrics.horizontalAdvance(widgets::ToQString(item)));
    const int column = widest + kColumnGap;
    const std::size_t perLine =
        std::max<std::size_t>(1, static_cast<std::size_t>(values_->viewport()->width() / column));
    QString text = widgets::ToQString(values.position.Compose(widgets::TranslateCoreText));
    const std::size_t count = std::min(values.names.size(), values.values.size());
    for (std::size_t first = 0; first < count; first += perLine) {
        const std::size_t last = std::min(count, first + perLine);
        for (const auto* items : {&values.names, &values.values}) {
            text += '\n';
            for (std::size_t k = first; k < last; ++k)
                text += (k > first ? "\t" : "") + widgets::ToQString((*items)[k]);
        }
    }
    if (text == values_->toPlainText())
        return;
    values_->setTabStopDistance(column);
    values_->setPlainText(text);
}

void TransportStrip::showProgress(const RunProgress& progress)
{
    const bool writing = progress.phase.load() != RunProgress::Phase::Computing;
    if (writing)
        progress_->setRange(0, 0);   // busy: the file's bytes are not counted
    else
        progress_->setRange(0, progress.steps);
    progress_->setValue(writing ? 0 : progress.stepsDone.load());
    progress_->setFormat(writing ? tr("書き出し中") : QStringLiteral("%p%"));
    // Once the file is being written the run goes through.
    cancel_->setEnabled(!writing);
    progress_->show();
    cancel_->show();
}

void TransportStrip::hideProgress()
{
    progress_->hide();
    cancel_->hide();
}

}
