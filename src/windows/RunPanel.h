// The panel of a long run of the simulator, the same in every window that runs one: the button
// that starts it, Cancel, the progress bar with the settings being simulated, and a line that
// says how the run ended. A failure is said in that line, never in a message box, so that a
// run of many settings cannot raise a box for each. The panel holds the outcome of the last
// run for the inputs it follows (a design, its settings, its steps), and when they change it
// stops a run without hearing its end and drops that outcome.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <type_traits>

#include "windows/BackgroundRun.h"

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace calbrine {

// The bytes of plain values, which tell whether the inputs of a run changed.
template <class... Values>
QByteArray runInputs(const Values&... values) {
    static_assert((std::is_trivially_copyable_v<Values> && ...));
    QByteArray bytes;
    (bytes.append(reinterpret_cast<const char*>(&values), sizeof values), ...);
    return bytes;
}

class RunPanel : public QWidget {
    Q_OBJECT
  public:
    // `name` starts the controls' objectNames: nameStart, nameCancel, nameProgress and
    // nameStatus; without a name they are start, cancel, progress and status.
    RunPanel(const QString& startCaption, const QString& name, QWidget* parent = nullptr);

    // Follows the inputs of the runs. When they differ from the last ones, a run is stopped
    // without its end being heard, `why` is said if one was going on, and the outcome held is
    // dropped; true then.
    bool follow(const QByteArray& inputs, const QString& why);
    // Stops a run at once without hearing its end, saying "Cancelled.", as the window closes.
    void stop();
    bool running() const { return run_->running(); }
    // The simulator the runs go through (tests give their own workers).
    SimulatorOptions& simulatorOptions() { return options_; }
    // Puts a control of the run's inputs at the end of the panel's row; it is locked while a
    // run goes on.
    void addInput(QWidget* control);
    QString status() const;

  signals:
    // The start button was pressed while no run goes on.
    void startPressed();
    // The outcome held was replaced or dropped.
    void outcomeChanged();

  protected:
    // Starts `work` and shows its progress; false, said in the status line, while another run
    // has the worker processes.
    bool startWork(BackgroundRun::Work work);
    // Says how a run ended: `done` when it succeeded, "Cancelled." or the simulator's message.
    void sayEnd(const RunStatus& status, const QString& done);
    // Seconds since the last run started.
    double seconds() const;

  private:
    void stopSaying(const QString& why);
    virtual void dropOutcome() = 0;
    void setStatus(const QString& text);
    void showProgress(int permille, const QString& phase);
    void setRunning(bool running);

    BackgroundRun* run_ = nullptr;
    QByteArray inputs_;
    SimulatorOptions options_;
    std::chrono::steady_clock::time_point started_;
    QHBoxLayout* row_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<QWidget*> inputControls_;
};

// A run panel whose runs end in an `Outcome`: a RunStatus with the run's results.
template <class Outcome>
class OutcomePanel : public RunPanel {
  public:
    // What the status line says of a run that succeeded, given how many seconds it took.
    using Said = std::function<QString(const Outcome& outcome, double seconds)>;

    OutcomePanel(const QString& startCaption, const QString& name, Said said,
                 QWidget* parent = nullptr)
        : RunPanel(startCaption, name, parent), said_(std::move(said)) {}

    // Starts run(inputs..., simulator, progress, cancel) on the run's thread, with copies of
    // the inputs and a simulator of the panel's options, dropping the outcome held; false,
    // said in the status line, while another run has the worker processes.
    template <class Run, class... Inputs>
    bool start(Run run, Inputs... inputs) {
        const bool started =
            startWork([this, run, inputs..., options = simulatorOptions()](
                          const SimulationProgress& progress, const std::atomic<bool>* cancel) {
                auto outcome = std::make_shared<const Outcome>(
                    run(inputs..., Simulator(options), progress, cancel));
                return std::function<void()>([this, outcome] { end(*outcome); });
            });
        if (started) {
            dropOutcome();
        }
        return started;
    }
    // The last run that ended for the inputs, if it succeeded; otherwise none.
    const Outcome* outcome() const { return ended_ && ended_->Succeeded() ? &*ended_ : nullptr; }
    // The last run that ended for the inputs, however it ended.
    const Outcome* ended() const { return ended_ ? &*ended_ : nullptr; }

  private:
    void end(const Outcome& outcome) {
        ended_ = outcome;
        sayEnd(outcome, outcome.Succeeded() ? said_(outcome, seconds()) : QString());
        emit outcomeChanged();
    }
    void dropOutcome() override {
        ended_.reset();
        emit outcomeChanged();
    }

    Said said_;
    std::optional<Outcome> ended_;
};

}  // namespace calbrine
