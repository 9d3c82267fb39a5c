// The window of a mechanism: input boxes, profile buttons, RUN/STOP/next, the 50 ms timer and
// the three pictures, wired to the simulation frame. One class serves all seven mechanisms.
#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "run/frame.h"
#include "run/mechanism.h"
#include "files/result_file.h"
#include "run/settings.h"

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

class SimulationForm : public QWidget {
    Q_OBJECT
public:
    // `settings` belongs to the application and outlives the window; RUN reads it.
    SimulationForm(const Mechanism& mechanism, const Settings& settings, QWidget* parent = nullptr);
    ~SimulationForm() override;

    const SimulationFrame& frame() const { return frame_; }
    void setResultPath(std::filesystem::path path) { resultPath_ = std::move(path); }
    bool isAnimating() const;
    // A RUN is computing on its worker thread.
    bool isComputing() const;

public slots:
    void RUN_Click();
    void STOP_Click();
    void next_Click();
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    // Sets every caption, tooltip, accessible name and the message in the language in force.
    void retranslate();
    ProfileKind selectedProfile() const;
    // A refusal (a refused run, an unwritten file) in red; the file written (nullopt) or a
    // cancelled run in the text colour. Said again in each language the window changes to.
    void showMessage(const std::optional<Refusal>& refusal);
    QString messageText(const std::optional<Refusal>& refusal) const;
    void buildTransport();
    void finishRun(Refusable<ComputedRun> computed);
    // The timer, the strip, the cursors and Text2 after the frame's step or play state moved.
    void showTransport();

    SimulationFrame frame_;
    const Settings& settings_;
    std::optional<std::string> pageCaption_;   // the next page's caption shown in Label4
    std::vector<QLabel*> label1_;              // by Text1 index, beside text1_
    std::vector<QLabel*> label2_;              // the profile captions
    std::vector<QLabel*> label3_;              // the graph captions
    std::filesystem::path resultPath_ = kResultFileName;
    std::vector<QLineEdit*> text1_;   // by Text1 index; nullptr where the form has no box
    std::vector<QRadioButton*> option1_;
    std::unique_ptr<ViewChoices> choices_;   // assembly and guide check boxes
    QLineEdit* text2_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* next_ = nullptr;
    QTimer* timer1_ = nullptr;
    plot::PictureBox* picture1_ = nullptr;
    plot::PictureBox* picture2_ = nullptr;
    plot::PictureBox* picture3_ = nullptr;
    TransportStrip* strip_ = nullptr;
    RunWorker* worker_ = nullptr;
    // Picture1 and Picture2 as a RUN draws them, off screen until the run is shown.
    std::unique_ptr<plot::ImageCanvas> drawn1_, drawn2_;
};

}
