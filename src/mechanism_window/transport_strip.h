// The strip below a mechanism window's controls: pause/resume, one step back and forward, a
// time slider over 0..N, the speed, the current values with "表をコピー" beside them and, while
// RUN computes, a progress
// bar and a cancel button. It only shows and asks; the frame keeps the state.
#pragma once

#include <QWidget>
#include <functional>

#include "run/frame.h"

class QComboBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;

namespace sim {

struct RunProgress;

class TransportStrip : public QWidget {
    Q_OBJECT
public:
    // `width` is the window's; the strip's height follows its contents.
    TransportStrip(int width, QWidget* parent);

    // A run of steps 0..N is on show: the slider spans it and the controls come alive.
    void showRunLength(int divisions);
    void showPlaying(bool playing);
    void showStep(int step, const StepValues& values);
    void showProgress(const RunProgress& progress);
    void hideProgress();

signals:
    void pauseToggled();
    void stepBy(int delta);
    void stepChosen(int step);
    void speedChosen(int index);
    void cancelRequested();
    void copyTableRequested();

private:
    void addKey(int key, const std::function<void()>& action);
    void showPauseCaption();

    QPushButton* pause_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QSlider* slider_ = nullptr;
    QComboBox* speed_ = nullptr;
    QPlainTextEdit* values_ = nullptr;
    QPushButton* copyTable_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}
