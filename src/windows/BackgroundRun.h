// A long run of the simulator on a thread of its own, so that the window keeps answering: its
// progress and its end come back to the window's thread as queued calls, and Cancel reaches
// the run through a flag it reads between jobs.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

#include "simulation/Simulator.h"

namespace calbrine {

class BackgroundRun : public QObject {
    Q_OBJECT
  public:
    // What the run does on its thread: it reports progress and reads the cancel flag, and
    // returns what the window does with its result, which then runs on the window's thread.
    using Work = std::function<std::function<void()>(const SimulationProgress& progress,
                                                     const std::atomic<bool>* cancel)>;
    // The progress shown, in thousandths of the run, with the phase the simulator names.
    using Shown = std::function<void(int permille, const QString& phase)>;

    explicit BackgroundRun(Shown shown, QObject* parent = nullptr);
    // Stops the run.
    ~BackgroundRun() override;

    // Starts `work`; false, with nothing started, while this run goes on or another has the
    // worker processes. They serve one run at a time in the whole program, as one run already
    // keeps every processor busy.
    bool start(Work work);
    // Asks the run to end soon; its end still comes back, as a cancelled outcome.
    void cancel() { cancel_ = true; }
    // Cancels the run and waits for its thread; neither its progress nor its end come back.
    void stop();
    bool running() const { return running_; }

  private:
    void join();

    Shown shown_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    // Counts the runs started, so that what a stopped run had queued is left unheard.
    unsigned generation_ = 0;
    bool running_ = false;
};

}  // namespace calbrine
