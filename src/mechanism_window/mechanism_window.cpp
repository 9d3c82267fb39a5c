// A mechanism window: reads its boxes, hands them to the frame, shows what the frame draws.
#include "mechanism_window/mechanism_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <new>

#include "mechanism_window/growing_page.h"
#include "mechanism_window/run_export.h"
#include "mechanism_window/run_menus.h"
#include "mechanism_window/run_worker.h"
#include "mechanism_window/transport_strip.h"
#include "mechanism_window/view_choices.h"
#include "plot/picture_sizes.h"
#include "plot/qt/picture_box.h"
#include "plot/recording_canvas.h"
#include "run/refusal_text.h"
#include "widgets/accessible_names.h"
#include "widgets/box_width.h"
#include "widgets/language.h"
#include "widgets/message_line.h"
#include "widgets/picture_menu.h"
#include "widgets/qt_string.h"

namespace sim {

namespace {

constexpr int kTimerIntervalMs = 50;
// Runs of this many steps or more compute on the worker thread; shorter ones take a few
// milliseconds and finish at once.
constexpr int kWorkerFromSteps = 20000;

// The form's design in twips (15 to a pixel), Form2rjun's layout. Only the input captions may
// be wider than the design's caption column; everything right of it then moves right as well.
constexpr int Px(int twips)
{
    return plot::TwipsToPixels(twips);
}
constexpr int kCaptionLeft = Px(120);    // Label1, Label2, RUN, STOP
constexpr int kCaptionWidth = Px(615);   // Label1
constexpr int kBoxLeft = Px(840);        // Text1
constexpr int kBoxSide = Px(495);        // Text1 and Text2 are square
constexpr int kFirstRowTop = Px(2640);   // Text1(0)
constexpr int kRowHeight = Px(600);      // Text1(i) is i rows down
constexpr int kOptionsTop = Px(7080);    // Option1(0)
constexpr int kOptionRowHeight = Px(480);
constexpr int kOptionLeft = Px(960);
constexpr int kOptionSide = Px(255);
constexpr int kProfileCaptionWidth = Px(855);   // Label2
constexpr int kCaptionGap = 4;                  // between a caption's text and its box

// Legend strokes beside the graph captions: value, velocity, acceleration trace colours.
const char* const kLegendColours[3] = {"#000080", "#008000", "#800000"};

constexpr int kBoxCharacters = 8;   // an input box shows "-45.7500" or "1.25e-07" whole

int InputBoxWidth(const QFont& font)
{
    QLineEdit probe;
    probe.setFont(font);
    return std::max(kBoxSide, widgets::WidthForCharacters(probe, kBoxCharacters));
}

void Name(QWidget* w, const QString& objectName, const QString& caption)
{
    w->setObjectName(objectName);
    widgets::NameForAccessibility(w, caption);
}

// The width of a core text in the wider of the two languages, so a change of language never
// makes a caption overflow the room laid out for it.
int WidestAdvance(const QFontMetrics& metrics, const std::string& text)
{
    const auto [japanese, english] = widgets::TranslateCoreInBoth(text);
    return std::max(metrics.horizontalAdvance(japanese), metrics.horizontalAdvance(english));
}

// The set-up of a built-in mechanism before anything is typed: the registration, not owned.
setup_files::MechsimFile BuiltIn(const Mechanism& mechanism)
{
    setup_files::MechsimFile file;
    file.mechanism = std::shared_ptr<const Mechanism>(std::shared_ptr<void>(), &mechanism);
    return file;
}

}

MechanismWindow::MechanismWindow(const Mechanism& mechanism, const Settings& settings,
                                 QWidget* parent)
    : MechanismWindow(BuiltIn(mechanism), settings, parent)
{
}

MechanismWindow::MechanismWindow(setup_files::MechsimFile origin, const Settings& settings,
                                 QWidget* parent)
    : QWidget(parent), origin_(std::move(origin)), frame_(*origin_.mechanism), settings_(settings)
{
    setObjectName(widgets::ToQString(frame_.mechanism().formName));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildTransport();
    retranslate();
    // Last, once every control exists: the page that holds them grows with the window.
    MakeResizable(this, {graph1_, graph2_, view_}, [this] {
        graphsStale_ = true;
        whenGathered(
            frame_.viewShows(), frame_.drawingOptions(), [this] { frame_.redrawView(*view_); },
            [] {});
    });
    // The animation timer starts stopped; the boxes show their defaults.
}

// The worker draws on drawnGraph1_ and drawnGraph2_, which go before the worker (a child) would.
MechanismWindow::~MechanismWindow()
{
    worker_->cancelAndWait();
}

void MechanismWindow::buildControls()
{
    const Mechanism& m = frame_.mechanism();
    const QFontMetrics metrics(font());

    int captionWidth = kCaptionWidth;
    for (const InputBox& box : m.inputs)
        if (box.kind == InputKind::Number)
            captionWidth =
                std::max(captionWidth, WidestAdvance(metrics, box.shownCaption()) + kCaptionGap);
    // Each input box shows at least eight characters of its font; the columns right of it
    // move right by what long captions and wider boxes add.
    const int boxWidth = InputBoxWidth(font());
    const int shift = captionWidth - kCaptionWidth + boxWidth - kBoxSide;

    run_ = new QPushButton("run", this);
    Name(run_, "RUN", "run");
    run_->setGeometry(kCaptionLeft, Px(363), Px(1080), Px(585));
    stop_ = new QPushButton("stop", this);
    Name(stop_, "STOP", "stop");
    stop_->setGeometry(kCaptionLeft, Px(1089), Px(1080), Px(585));

    // A text box sits on its row of the design; a row the design leaves empty stays empty.
    int rows = 0;
    for (const InputBox& box : m.inputs) {
        if (box.kind != InputKind::Number)
            continue;   // a check box under the profile buttons
        const int top = kFirstRowTop + kRowHeight * box.row;
        rows = std::max(rows, box.row + 1);
        auto* label = new QLabel(this);
        label->setObjectName(QString("Label1_%1").arg(box.row));
        label->setGeometry(kCaptionLeft, top, captionWidth, kBoxSide);
        auto* edit = new QLineEdit(widgets::ToQString(box.defaultText), this);
        edit->setObjectName(QString("Text1_%1").arg(box.row));
        edit->setProperty(kInputKeyProperty, widgets::ToQString(box.key));
        edit->setGeometry(kBoxLeft + captionWidth - kCaptionWidth, top, boxWidth, kBoxSide);
        label->setBuddy(edit);
        inputRows_.push_back({&box, label, edit});
    }

    // Forms with more than seven rows push the profile buttons down below their last row.
    const int optionsTop = std::max(kOptionsTop, kFirstRowTop + kRowHeight * rows + 16);
    for (int i = 0; i < 3; ++i) {
        const int top = optionsTop + kOptionRowHeight * i;
        auto* label = new QLabel(this);
        label->setObjectName(QString("Label2_%1").arg(i));
        profileCaptions_.push_back(label);
        // A little taller than the button so the caption's glyphs are not cut; centred on it.
        label->setGeometry(kCaptionLeft, top - 2, kProfileCaptionWidth, kOptionSide + 4);
        auto* option = new QRadioButton(this);
        option->setObjectName(QString("Option1_%1").arg(i));
        option->setGeometry(kOptionLeft, top, kOptionSide, kOptionSide);
        option->setChecked(i == 0);
        profileButtons_.push_back(option);
    }

    // The three pictures at their design places; a picture's size is its inner size plus the
    // border. Picture2 starts where the design puts it, but never over Picture1's inner area.
    auto makePicture = [this](const char* name, plot::PixelSize size, int left, int top) {
        auto* picture = new plot::PictureBox(QSize(size.width, size.height), this);
        Name(picture, name, name);
        picture->move(left, top);
        return picture;
    };
    const int graphsTop = Px(484);
    graph1_ = makePicture("Picture1", plot::kGraph1Size, Px(1573) + shift, graphsTop);
    const int picture1InnerRight = graph1_->geometry().right() + 1 - plot::kPictureBorder;
    graph2_ = makePicture("Picture2", plot::kGraph2Size,
                          std::max(Px(5687) + shift, picture1InnerRight), graphsTop);
    const int viewLeft = Px(1560) + shift;
    view_ = makePicture("Picture3", plot::kViewSize, viewLeft, Px(4411));
    InstallRunPictureMenus(
        frame_, {graph1_, graph2_, view_}, [this] { copyTable(); }, [this] { saveSetUp(); });
    auto* save = new QAction(this);
    save->setObjectName("saveSetUp");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &MechanismWindow::saveSetUp);
    addAction(save);

    // The assembly and guide check boxes under the profile buttons, laid out like them.
    choices_ = std::make_unique<ViewChoices>(
        this, m,
        ViewChoices::Column{kCaptionLeft, kOptionLeft, kOptionSide, viewLeft - 4,
                            optionsTop + kOptionRowHeight * 3},
        [this](DrawingOptions options) {
            whenGathered(frame_.viewShows(), options, [this, options] {
                frame_.setDrawingOptions(options);
                if (!frame_.playing())   // a paused pose is drawn again with them
                    frame_.goToStep(frame_.currentStep(), *view_);
                showTransport();   // the values gain or lose the instant centres
            });
        });

    // Graph captions with the colour legend beside them.
    const int captionLefts[2] = {Px(2035) + shift, Px(6358) + shift};
    int captionsRight = 0;
    for (int g = 0; g < 2; ++g) {
        const std::string& text = m.graphCaptions[static_cast<std::size_t>(g)];
        auto* caption = new QLabel(this);
        caption->setObjectName(QString("Label3_%1").arg(g));
        // The whole caption in either language, never cut.
        caption->setGeometry(captionLefts[g], 0, WidestAdvance(metrics, text) + kCaptionGap, 22);
        captionsRight = std::max(captionsRight, caption->geometry().right() + 1);
        graphCaptions_.push_back(caption);
        for (int c = 0; c < 3; ++c) {
            auto* stroke = new QFrame(this);
            stroke->setObjectName(QString("Line2_%1").arg(3 * g + c));
            stroke->setGeometry(captionLefts[g] - 28, 5 + 5 * c, 22, 2);
            stroke->setStyleSheet(QString("background: %1;").arg(kLegendColours[c]));
        }
    }

    shownStep_ = new QLineEdit(this);
    shownStep_->setObjectName("Text2");
    shownStep_->setReadOnly(true);
    // Wide enough for the largest step, N's seven digits; the next button and the page caption
    // right of it move right by what that adds to the design's square.
    const int stepWidth = std::max(
        kBoxSide, widgets::WidthForCharacters(
                      *shownStep_, static_cast<int>(QString::number(kMaxDivisions).size())));
    shownStep_->setGeometry(Px(2178) + shift, Px(3872), stepWidth, kBoxSide);
    const int stepShift = shift + stepWidth - kBoxSide;
    next_ = new QPushButton("next", this);
    Name(next_, "next", "next");
    next_->setGeometry(Px(2904) + stepShift, Px(3993), Px(737), Px(374));
    viewCaption_ = new QLabel(this);
    viewCaption_->setObjectName("Label4");
    viewCaption_->setGeometry(Px(4356) + stepShift, Px(3993), 240, Px(374));

    const QRect view = view_->geometry();
    message_ = new QLabel(this);
    message_->setObjectName("lblMessage");
    widgets::ShowMessage(message_, QString(), widgets::MessageKind::Information);
    message_->setWordWrap(true);
    // Below Picture3, and below the check boxes where they reach further down.
    const int messageTop = std::max(view.bottom() + 7, choices_->bottom() + 4);
    message_->setGeometry(kCaptionLeft, messageTop, view.right() + 1 - kCaptionLeft, 36);

    animationTimer_ = new QTimer(this);
    animationTimer_->setObjectName("Timer1");
    animationTimer_->setInterval(kTimerIntervalMs);

    connect(run_, &QPushButton::clicked, this, &MechanismWindow::startRun);
    connect(stop_, &QPushButton::clicked, this, &MechanismWindow::showSummary);
    connect(next_, &QPushButton::clicked, this, &MechanismWindow::showNextPage);
    connect(animationTimer_, &QTimer::timeout, this, &MechanismWindow::animationTick);

    // Wide enough for Picture3 and for the second graph caption, which may reach past it.
    setFixedSize(std::max(view.right() + 1, captionsRight) + kCaptionLeft, messageTop - 7 + 1 + 48);
}

ProfileKind MechanismWindow::selectedProfile() const
{
    if (profileButtons_[0]->isChecked())
        return ProfileKind::Quintic;
    if (profileButtons_[1]->isChecked())
        return ProfileKind::Cubic;
    return ProfileKind::Linear;
}

InputEntries MechanismWindow::typedInputs() const
{
    InputEntries inputs;
    for (const auto& [box, label, edit] : inputRows_)
        inputs[box->key] = edit->text().toStdString();
    choices_->chooseBranches(inputs);
    return inputs;
}

void MechanismWindow::applySetUp(const setup_files::MechsimFile& setUp)
{
    for (const auto& [box, label, edit] : inputRows_) {
        const auto entry = setUp.inputs.find(box->key);
        if (entry != setUp.inputs.end())
            if (const auto* text = std::get_if<std::string>(&entry->second))
                edit->setText(widgets::ToQString(*text));
    }
    choices_->setBranches(setUp.inputs);
    if (setUp.profile)
        profileButtons_[static_cast<std::size_t>(*setUp.profile)]->setChecked(true);
}

setup_files::MechsimFile MechanismWindow::currentSetUp() const
{
    setup_files::MechsimFile setUp = origin_;
    setUp.inputs = typedInputs();
    setUp.profile = selectedProfile();
    setUp.divisions = DivisionCountText(settings_);
    setUp.cycleTime = CycleTimeText(settings_);
    return setUp;
}

void MechanismWindow::enableEditing(std::function<void()> openEditor)
{
    if (!edit_) {
        edit_ = new QPushButton(this);
        edit_->setGeometry(kCaptionLeft, Px(1815), Px(1080), Px(585));
        edit_->show();
        retranslate();
    }
    edit_->disconnect();
    connect(edit_, &QPushButton::clicked, this, std::move(openEditor));
}

void MechanismWindow::saveSetUp()
{
    widgets::SaveWithDialog(this, tr("設定を保存"),
                            widgets::ToQString(frame_.mechanism().command + setup_files::kMechsimExtension),
                            tr("機構の設定 (*.mechsim)"), [this](const QString&) {
                                return QByteArray::fromStdString(
                                    setup_files::MechsimText(currentSetUp()));
                            });
}

void MechanismWindow::retranslate()
{
    const Mechanism& m = frame_.mechanism();
    setWindowTitle(widgets::TranslateCore(m.windowTitle.empty() ? m.title : m.windowTitle));
    // The check boxes follow the language themselves.
    for (const auto& [box, label, edit] : inputRows_) {
        const QString caption = widgets::TranslateCore(box->shownCaption());
        const QString description = widgets::TranslateCore(box->description);
        label->setText(caption);
        label->setToolTip(description);
        edit->setToolTip(description);
        widgets::NameForAccessibility(edit, caption);
    }
    for (std::size_t i = 0; i < profileCaptions_.size(); ++i) {
        profileCaptions_[i]->setText(
            widgets::TranslateCore(ProfileCaption(static_cast<ProfileKind>(static_cast<int>(i)))));
        widgets::NameForAccessibility(profileButtons_[i], profileCaptions_[i]->text());
    }
    for (std::size_t g = 0; g < graphCaptions_.size(); ++g)
        graphCaptions_[g]->setText(widgets::TranslateCore(m.graphCaptions[g]));
    widgets::NameForAccessibility(graph1_, graphCaptions_[0]->text());
    widgets::NameForAccessibility(graph2_, graphCaptions_[1]->text());
    widgets::NameForAccessibility(view_, tr("機構の図"));
    widgets::NameForAccessibility(shownStep_, tr("表示中のステップ"));
    viewCaption_->setText(pageCaption_ ? widgets::TranslateCore(*pageCaption_) : tr("動画"));
    if (edit_) {
        edit_->setText(tr("編集"));
        Name(edit_, "edit", edit_->text());
    }
}

void MechanismWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        if (frame_.hasRun())
            showTransport();   // the current step's words in the strip
    }
    QWidget::changeEvent(event);
}

QString MechanismWindow::messageText(const std::optional<Refusal>& refusal) const
{
    QString message =
        refusal ? widgets::ToQString(DescribeRefusal(
            frame_.mechanism(), *refusal, BoxNames::Captions, widgets::TranslateCoreText))
                : tr("計算結果を %1 に書き出しました。")
                      .arg(widgets::ToQString(FullPath(resultPath_).string()));
    // What the run found about the mechanism follows on one line, once the run stands.
    if (frame_.hasRun() && (!refusal || refusal->kind == Refusal::Kind::File)) {
        QStringList findings;
        for (const std::string& finding : frame_.run()->findings(widgets::TranslateCoreText))
            findings << widgets::ToQString(finding);
        if (!findings.isEmpty())
            message += "\n" + findings.join(tr("　", "between two findings"));
    }
    return message;
}

void MechanismWindow::showMessage(const std::optional<Refusal>& refusal)
{
    // A cancelled run is no fault: its message keeps the text colour.
    const bool warning = refusal && refusal->kind != Refusal::Kind::Cancelled;
    widgets::ShowFollowingMessage(
        message_, [this, refusal] { return messageText(refusal); },
        warning ? widgets::MessageKind::Refusal : widgets::MessageKind::Information);
}

void MechanismWindow::buildTransport()
{
    strip_ = new TransportStrip(width(), this);
    strip_->move(0, height());
    setFixedSize(width(), height() + strip_->height());
    auto goTo = [this](int step) {
        if (frame_.goToStep(step, *view_) && frame_.viewShows() == ViewShows::Poses)
            shownStep_->setText(QString::number(frame_.currentStep()));
        showTransport();
    };
    connect(strip_, &TransportStrip::stepChosen, this, goTo);
    connect(strip_, &TransportStrip::stepBy, this,
            [this, goTo](int delta) { goTo(frame_.currentStep() + delta); });
    connect(strip_, &TransportStrip::pauseToggled, this, [this] {
        frame_.setPlaying(!frame_.playing());
        // Paused, the pose is drawn again with what a still pose adds.
        if (!frame_.playing() && frame_.viewShows() == ViewShows::Poses)
            frame_.goToStep(frame_.currentStep(), *view_);
        showTransport();
    });
    connect(strip_, &TransportStrip::speedChosen, this,
            [this](int index) { frame_.setSpeed(index); });
    worker_ = new RunWorker(
        [this](const RunProgress& progress) { strip_->showProgress(progress); }, this);
    connect(strip_, &TransportStrip::cancelRequested, worker_, &RunWorker::cancel);
    connect(strip_, &TransportStrip::copyTableRequested, this, &MechanismWindow::copyTable);
}

bool MechanismWindow::isComputing() const
{
    return worker_->busy();
}

void MechanismWindow::startRun()
{
    if (computingRun_)
        return;
    // A pass for pictures of the run about to be replaced is dropped: the new run draws every
    // picture at its present size, and what was asked of the old one no longer holds.
    worker_->cancelAndWait();
    gathering_ = false;
    replot_.reset();
    graphsStale_ = false;
    copyWanted_ = false;
    strip_->hideProgress();
    RunRequest request{&frame_.mechanism(), typedInputs(), {settings_, selectedProfile()}};

    // The N and T in force now hold for every handler of this run. The previous run goes on
    // animating until this one is shown; a refused or cancelled run leaves it as it was.
    // The graphs are plotted with the run, on copies of the pictures, and shown with it.
    drawnGraph1_ = std::make_unique<plot::ImageCanvas>(*graph1_);
    drawnGraph2_ = std::make_unique<plot::ImageCanvas>(*graph2_);
    // The same pass gathers what STOP and next draw on the view, on a copy of its picture.
    drawnView_ = std::make_unique<plot::ImageCanvas>(*view_);
    const int steps = request.context.divisions + 1;
    auto job = [request = std::move(request), path = resultPath_,
                view = plot::RecordingCanvas(view_->widthMm(), view_->heightMm()),
                graph1 = drawnGraph1_.get(), graph2 = drawnGraph2_.get(),
                drawnView = drawnView_.get()](RunProgress* progress) {
        Refusable<ComputedRun> computed = ComputeRun(request, path, view, progress);
        // Plotting a run that only just fitted in memory may not: the previous run stays.
        try {
            if (computed)
                if (auto pictures = PlotRunGraphs(
                        {request.mechanism, computed.value().run.get(), &computed.value().values,
                         request.context, computed.value().window},
                        *graph1, *graph2, drawnView))
                    computed.value().pictures =
                        std::make_shared<ViewPictures>(std::move(*pictures));
        } catch (const std::bad_alloc&) {
            return Refusable<ComputedRun>(Refusal::OfMemory());
        }
        return computed;
    };
    if (steps < kWorkerFromSteps) {
        finishRun(job(nullptr));
        return;
    }
    run_->setEnabled(false);
    computingRun_ = true;
    worker_->start(
        [this, job = std::move(job)](RunProgress& progress) -> RunWorker::Delivery {
            auto computed = std::make_shared<Refusable<ComputedRun>>(job(&progress));
            return [this, computed] { finishRun(std::move(*computed)); };
        },
        steps);
}

void MechanismWindow::finishRun(Refusable<ComputedRun> computed)
{
    run_->setEnabled(true);
    computingRun_ = false;
    strip_->hideProgress();
    std::optional<Refusal> refusal;
    if (!computed)
        refusal = std::move(computed).error();
    else {
        refusal = frame_.showRun(std::move(computed).value());
        graph1_->takePicture(*drawnGraph1_);
        graph2_->takePicture(*drawnGraph2_);
    }
    drawnGraph1_.reset();
    drawnGraph2_.reset();
    drawnView_.reset();
    // After a run that wrote its file the message says where, so a student can find it.
    showMessage(refusal);
    if (refusal && refusal->kind != Refusal::Kind::File)
        return;
    if (frame_.mechanism().traits.showsOkAfterCompute)
        shownStep_->setText("ok");
    strip_->showRunLength(frame_.context().divisions);
    showTransport();
    // What was asked while the run computed (a resize, STOP), now of the run shown.
    startWork();
}

void MechanismWindow::whenGathered(ViewShows shows, DrawingOptions options,
                                   std::function<void()> draw, std::function<void()> drawnAside)
{
    replot_ = Replot{shows, std::move(options), std::move(draw), std::move(drawnAside)};
    ++replotRequests_;
    if (gathering_)
        worker_->cancel();   // its delivery starts the newest
    startWork();
}

void MechanismWindow::startWork()
{
    if (worker_->busy())
        return;   // each delivery comes back here
    if (copyWanted_) {
        copyWanted_ = false;
        worker_->start(
            [this, source = frame_.source()](RunProgress& progress) -> RunWorker::Delivery {
                TableText table = RunTableText(source, kMostCopiedBytes, &progress);
                std::optional<QString> text;
                if (table.text)
                    text = QString::fromStdString(*table.text);
                return [this, text = std::move(text), tooLarge = table.tooLarge] {
                    strip_->hideProgress();
                    ShowCopiedTable(text, tooLarge, this);
                    startWork();
                };
            },
            frame_.context().divisions + 1);
        return;
    }
    startGathering();
}

void MechanismWindow::startGathering()
{
    if (!replot_ && !graphsStale_)
        return;
    if (!frame_.hasRun()) {
        drawReplot();
        return;
    }
    frame_.refit(*view_);
    // The pass reads copies of the pictures as they are now, which the window may resize.
    auto pictures = std::make_shared<std::vector<plot::ImageCanvas>>(
        std::vector<plot::ImageCanvas>{*graph1_, *graph2_, *view_});
    std::vector<plot::ImageCanvas>& p = *pictures;
    PictureNeeds needs = frame_.missingFor(
        graphsStale_ ? &p[0] : nullptr, graphsStale_ ? &p[1] : nullptr, p[2],
        replot_ ? replot_->shows : frame_.viewShows(),
        replot_ ? replot_->options : frame_.drawingOptions());
    // The summary's centrode takes passes over the steps of its own: drawn here as well.
    const std::optional<DrawingOptions> aside =
        replot_ && replot_->drawnAside && replot_->shows == ViewShows::Summary
                && replot_->options.centres
            ? std::optional(replot_->options)
            : std::nullopt;
    const int steps = frame_.context().divisions + 1;
    if ((needs.empty() && !aside) || steps < kWorkerFromSteps) {
        drawReplot();
        return;
    }
    if (aside && needs.views.empty())
        needs.views.push_back(&p[2]);   // its traced paths, gathered again in the same pass
    gathering_ = true;
    worker_->start(
        [this, source = frame_.source(), needs, pictures, aside,
         request = replotRequests_](RunProgress& progress) -> RunWorker::Delivery {
            auto gathered = std::make_shared<std::optional<GatheredPictures>>(
                GatherRunPictures(source, needs, &progress));
            bool drawn = false;
            if (*gathered && aside)
                drawn = DrawRunSummary((*pictures)[2], source, (*gathered)->views.back().paths,
                                       *aside, &progress);
            return [this, gathered, pictures, drawn, request] {
                gathering_ = false;
                strip_->hideProgress();
                if (drawn && request == replotRequests_) {
                    frame_.takePictures(std::move(**gathered));
                    view_->takePicture((*pictures)[2]);
                    const Replot replot = std::move(*replot_);
                    replot_.reset();
                    drawReplot();   // the graphs, when they wait
                    replot.drawnAside();
                } else if (*gathered) {
                    frame_.takePictures(std::move(**gathered));
                } else if (request == replotRequests_) {
                    // 中止 with nothing newer asked: the pictures stay as they are.
                    replot_.reset();
                    graphsStale_ = false;
                }
                startWork();
            };
        },
        steps);
}

void MechanismWindow::copyTable()
{
    if (!frame_.hasRun())
        return;
    if (frame_.context().divisions + 1 < kWorkerFromSteps) {
        TableText table = RunTableText(frame_.source(), kMostCopiedBytes);
        ShowCopiedTable(table.text ? std::optional(QString::fromStdString(*table.text))
                                   : std::nullopt,
                        table.tooLarge, this);
        return;
    }
    copyWanted_ = true;
    startWork();
}

void MechanismWindow::drawReplot()
{
    if (graphsStale_) {
        graphsStale_ = false;
        frame_.plotGraphs(*graph1_, *graph2_);
    }
    if (replot_) {
        const Replot replot = std::move(*replot_);
        replot_.reset();
        replot.draw();
    }
}

void MechanismWindow::showTransport()
{
    // Started only when idle: restarting a running timer on every tick would time each tick
    // from the last one's handling instead of keeping the steady 50 ms.
    if (frame_.playing()) {
        if (!animationTimer_->isActive())
            animationTimer_->start();
    } else {
        animationTimer_->stop();
    }
    strip_->showPlaying(frame_.playing());
    const std::optional<StepValues> values = frame_.currentValues();
    if (!values)
        return;
    strip_->showStep(frame_.currentStep(), *values);
    graph1_->setCursorX(frame_.cursorX(*graph1_));
    graph2_->setCursorX(frame_.cursorX(*graph2_));
    // The cursor stands on the large picture only when it shows a next page's graph.
    view_->setCursorX(frame_.viewShows() == ViewShows::Page ? frame_.cursorX(*view_)
                                                            : std::nullopt);
}

void MechanismWindow::animationTick()
{
    if (const std::optional<int> shown = frame_.tick(*view_))
        shownStep_->setText(QString::number(*shown));
    showTransport();
}

void MechanismWindow::showSummary()
{
    if (!frame_.hasRun())
        return;
    whenGathered(
        ViewShows::Summary, frame_.drawingOptions(),
        [this] {
            frame_.stop(*view_);
            showTransport();
        },
        [this] {
            frame_.stopDrawnAside();
            showTransport();
        });
}

void MechanismWindow::showNextPage()
{
    if (!frame_.hasRun())
        return;
    // After the last page the view keeps what it shows and needs nothing.
    const bool page = frame_.graphPage() < static_cast<int>(frame_.run()->nextPages().size());
    whenGathered(page ? ViewShows::Page : frame_.viewShows(), frame_.drawingOptions(), [this] {
        if (const std::optional<std::string> caption = frame_.next(*view_)) {
            pageCaption_ = *caption;
            viewCaption_->setText(widgets::TranslateCore(*caption));
        }
        showTransport();
    });
}

void MechanismWindow::closeEvent(QCloseEvent* event)
{
    worker_->cancelAndWait();   // a run still computing is cancelled with its window
    animationTimer_->stop();
    QWidget::closeEvent(event);
}

}
