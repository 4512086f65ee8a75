#include "windows/BackgroundRun.h"

namespace calbrine {

namespace {

// The run that has the worker processes, or none.
const void* workersHeldBy = nullptr;

bool takeWorkers(const void* run) {
    if (workersHeldBy != nullptr) {
        return false;
    }
    workersHeldBy = run;
    return true;
}

// Gives them back, if `run` has them.
void releaseWorkers(const void* run) {
    if (workersHeldBy == run) {
        workersHeldBy = nullptr;
    }
}

}  // namespace

BackgroundRun::BackgroundRun(Shown shown, QObject* parent)
    : QObject(parent), shown_(std::move(shown)) {}

BackgroundRun::~BackgroundRun() {
    stop();
}

bool BackgroundRun::start(Work work) {
    if (running_ || !takeWorkers(this)) {
        return false;
    }
    join();
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
                join();
                running_ = false;
                releaseWorkers(this);
                finish();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundRun::stop() {
    cancel_ = true;
    join();
    running_ = false;
    releaseWorkers(this);
}

void BackgroundRun::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace calbrine
