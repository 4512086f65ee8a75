// The controls of a long run in an explorer tab: the button that starts it, Cancel, the
// progress bar with the settings being simulated, and a line saying how the run ended. A
// failure is said in that line, never in a message box, so that a run of many settings cannot
// raise a box for each.
#pragma once

#include <QWidget>
#include <string>

#include "windows/BackgroundRun.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace calbrine {

class RunControls : public QWidget {
    Q_OBJECT
  public:
    // `name` starts the controls' objectNames: nameStart, nameCancel, nameProgress, nameStatus.
    RunControls(const QString& startCaption, const QString& name, QWidget* parent = nullptr);

    // Starts `work` and shows its progress; false, said in the status line, while another run
    // has the workers.
    bool start(BackgroundRun::Work work);
    // Stops a run without hearing its end (the design it ran for is gone) and says `why`.
    void stop(const QString& why);
    bool running() const { return run_->running(); }
    // How a run ended: `done` when it succeeded, "Cancelled." or the simulator's message.
    void sayEnd(SimulationFailure failure, const std::string& message, const QString& done);
    void setStatus(const QString& text);
    QPushButton* startButton() const { return start_; }

  signals:
    // The start button was pressed while no run goes on.
    void startPressed();

  private:
    void showProgress(int permille, const QString& phase);
    void setRunning(bool running);

    BackgroundRun* run_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace calbrine
