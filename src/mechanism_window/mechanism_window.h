// The window of a mechanism: input boxes, profile buttons, run/stop/next, the 50 ms animation
// timer and the three pictures (two graphs and the large mechanism view), wired to the run
// pipeline and the player. One class serves every mechanism. Object names keep the design's
// control names (docs/glossary.md).
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/result_file.h"
#include "run/frame.h"
#include "run/mechanism.h"
#include "run/run_pipeline.h"
#include "run/settings.h"
#include "setup_files/mechsim_file.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace plot {
class ImageCanvas;
class PictureBox;
}

namespace sim {

class RunWorker;
class TransportStrip;
class ViewChoices;

class MechanismWindow : public QWidget {
    Q_OBJECT
public:
    // `settings` belongs to the application and outlives the window; RUN reads it.
    MechanismWindow(const Mechanism& mechanism, const Settings& settings,
                    QWidget* parent = nullptr);
    // The window of the mechanism a set-up or linkage file describes, which it keeps alive;
    // its boxes show the mechanism's defaults until applySetUp.
    MechanismWindow(setup_files::MechsimFile origin, const Settings& settings,
                    QWidget* parent = nullptr);
    ~MechanismWindow() override;

    const SimulationFrame& frame() const { return frame_; }
    void setResultPath(std::filesystem::path path) { resultPath_ = std::move(path); }
    // A RUN is computing on its worker thread.
    bool isComputing() const;

    // Fills the boxes, the assembly check boxes and the profile from a set-up; keys it leaves
    // out keep what the boxes show.
    void applySetUp(const setup_files::MechsimFile& setUp);
    // What the window holds now, as a set-up file would keep it (N and T from the settings).
    setup_files::MechsimFile currentSetUp() const;
    // Shows the "編集" button under STOP, which calls `openEditor`: a linkage window's way back
    // to the editor of its model.
    void enableEditing(std::function<void()> openEditor);

public slots:
    void startRun();
    // Asks for a file name and writes the window's set-up there ("設定を保存…", Ctrl+S).
    void saveSetUp();
    void showSummary();
    void showNextPage();
    void animationTick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    // Sets every caption, tooltip, accessible name and the message in the language in force.
    void retranslate();
    ProfileKind selectedProfile() const;
    // The boxes' texts and the assembly check boxes' branches, by key.
    InputEntries typedInputs() const;
    // A refusal (a refused run, an unwritten file) in red; the file written (nullopt) or a
    // cancelled run in the text colour. Said again in each language the window changes to.
    void showMessage(const std::optional<Refusal>& refusal);
    QString messageText(const std::optional<Refusal>& refusal) const;
    void buildTransport();
    void finishRun(Refusable<ComputedRun> computed);
    // Draws with `draw` once what it needs from the run's steps is at hand: at once when the
    // frame keeps it or the run is short, otherwise after one pass on the worker thread behind
    // the progress bar, the window answering meanwhile. `shows` is what the view shows after
    // `draw` and `options` what it draws with. A newer request supersedes one still waiting or
    // gathering, but graphs awaiting their new size are drawn all the same. A summary with the
    // centrode, which takes passes of its own, is drawn on the worker as well when `drawnAside`
    // is given: it is called, instead of `draw`, once the view shows that summary.
    void whenGathered(ViewShows shows, DrawingOptions options, std::function<void()> draw,
                      std::function<void()> drawnAside = {});
    // Starts what waits for the worker: a copy of the table, then the newest re-plot's pass,
    // or draws the re-plot at once when it needs none.
    void startWork();
    void startGathering();
    void drawReplot();
    // "表をコピー": the table built in blocks, on the worker for a long run, onto the clipboard.
    void copyTable();
    // The timer, the strip, the cursors and the shown step after the player's step or play
    // state moved.
    void showTransport();

    // The file the window was opened from (or the built-in mechanism alone): it owns a
    // linkage's mechanism, which the frame refers to, and gives a saved set-up its model.
    setup_files::MechsimFile origin_;
    SimulationFrame frame_;
    const Settings& settings_;
    std::optional<std::string> pageCaption_;   // the next page's caption, over the view
    // The text boxes with their captions, in the mechanism's order.
    struct InputRow {
        const InputBox* box;
        QLabel* caption;
        QLineEdit* edit;
    };
    std::vector<InputRow> inputRows_;
    std::vector<QLabel*> profileCaptions_;
    std::vector<QLabel*> graphCaptions_;
    std::filesystem::path resultPath_ = kResultFileName;
    std::vector<QRadioButton*> profileButtons_;
    std::unique_ptr<ViewChoices> choices_;   // assembly and guide check boxes
    QLineEdit* shownStep_ = nullptr;
    QLabel* viewCaption_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* edit_ = nullptr;
    QTimer* animationTimer_ = nullptr;
    plot::PictureBox* graph1_ = nullptr;
    plot::PictureBox* graph2_ = nullptr;
    plot::PictureBox* view_ = nullptr;
    TransportStrip* strip_ = nullptr;
    RunWorker* worker_ = nullptr;
    // The two graphs as a run draws them, off screen until the run is shown.
    std::unique_ptr<plot::ImageCanvas> drawnGraph1_, drawnGraph2_, drawnView_;
    bool computingRun_ = false;   // the worker computes a RUN
    // The newest re-plot waiting for its pass over the steps, and whether the graphs await
    // drawing at their present size.
    struct Replot {
        ViewShows shows;
        DrawingOptions options;
        std::function<void()> draw;
        std::function<void()> drawnAside;
    };
    std::optional<Replot> replot_;
    bool graphsStale_ = false;
    bool gathering_ = false;   // the worker is on a re-plot's pass
    bool copyWanted_ = false;  // "表をコピー" waits for the worker
    int replotRequests_ = 0;   // counts requests, so a pass knows whether a newer one came
};

}
