#include "windows/BackgroundRun.h"

namespace calbrine {

namespace {

const void* workersHeldBy = nullptr;

}  // namespace

const char* const WorkersBusyText =
    "A simulation is already running; please wait for it to finish or cancel it.";

bool WorkersTaken() {
    return workersHeldBy != nullptr;
}

bool TakeWorkers(const void* run) {
    if (WorkersTaken()) {
        return false;
    }
    workersHeldBy = run;
    return true;
}

void ReleaseWorkers(const void* run) {
    if (workersHeldBy == run) {
        workersHeldBy = nullptr;
    }
}

BackgroundRun::BackgroundRun(Shown shown, QObject* parent)
    : QObject(parent), shown_(std::move(shown)) {}

BackgroundRun::~BackgroundRun() {
    Stop();
}

bool BackgroundRun::Start(Work work) {
    if (running_ || !TakeWorkers(this)) {
        return false;
    }
    Join();
    cancel_ = false;
    running_ = true;
    const unsigned generation = ++generation_;
    thread_ = std::thread([this, generation, work = std::move(work)] {
        int shown = -1;
        const SimulationProgress progress = [this, generation, &shown](double fraction,
                                                                       const std::string& phase) {
            const int permille = static_cast<int>(fraction * 1000);
            if (permille == shown) {
                return;
            }
            shown = permille;
            QMetaObject::invokeMethod(
                this,
                [this, generation, permille, text = QString::fromStdString(phase)] {
                    if (generation == generation_ && running_) {
                        shown_(permille, text);
                    }
                },
                Qt::QueuedConnection);
        };
        std::function<void()> finish = work(progress, &cancel_);
        QMetaObject::invokeMethod(
            this,
            [this, generation, finish = std::move(finish)] {
                if (generation != generation_ || !running_) {
                    return;
                }
                Join();
                running_ = false;
                ReleaseWorkers(this);
                finish();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundRun::Stop() {
    cancel_ = true;
    Join();
    running_ = false;
    ReleaseWorkers(this);
}

void BackgroundRun::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace calbrine
