#include "windows/RunControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/Navigation.h"

namespace calbrine {

RunControls::RunControls(const QString& startCaption, const QString& name, QWidget* parent)
    : QWidget(parent) {
    run_ = new BackgroundRun(
        [this](int permille, const QString& phase) { showProgress(permille, phase); }, this);
    start_ = new QPushButton(startCaption);
    start_->setObjectName(name + "Start");
    GiveShortcut(start_, QKeySequence(Qt::CTRL | Qt::Key_R));
    cancel_ = new QPushButton("Cancel");
    cancel_->setObjectName(name + "Cancel");
    cancel_->setToolTip("Stops the run and its worker processes");
    progress_ = new QProgressBar;
    progress_->setObjectName(name + "Progress");
    progress_->setRange(0, 1000);
    progress_->setAccessibleName("Progress of the run");
    status_ = new QLabel;
    status_->setObjectName(name + "Status");
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(start_, &QPushButton::clicked, this, [this] {
        if (!running()) {
            emit startPressed();
        }
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        run_->cancel();
        progress_->setFormat("Cancelling ...");
    });

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(start_);
    row->addWidget(cancel_);
    row->addWidget(progress_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(status_);
    setRunning(false);
}

bool RunControls::start(BackgroundRun::Work work) {
    const bool started = run_->start(
        [this, work](const SimulationProgress& progress, const std::atomic<bool>* cancel) {
            std::function<void()> finish = work(progress, cancel);
            return std::function<void()>([this, finish] {
                setRunning(false);
                finish();
            });
        });
    if (!started) {
        setStatus(WorkersBusyText);
        return false;
    }
    setStatus("");
    setRunning(true);
    showProgress(0, "starting ngspice");
    return true;
}

void RunControls::stop(const QString& why) {
    const bool was = running();
    run_->stop();
    setRunning(false);
    setStatus(was ? why : "");
}

void RunControls::sayEnd(SimulationFailure failure, const std::string& message,
                         const QString& done) {
    switch (failure) {
        case SimulationFailure::None:
            setStatus(done);
            break;
        case SimulationFailure::Cancelled:
            setStatus("Cancelled.");
            break;
        default:
            setStatus("The simulation did not complete. " + QString::fromStdString(message));
    }
}

void RunControls::setStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void RunControls::showProgress(int permille, const QString& phase) {
    progress_->setValue(permille);
    progress_->setFormat("Simulating " + phase + " ...  %p %");
}

void RunControls::setRunning(bool running) {
    // The keys stay on the run's buttons: on Cancel while it runs, on the start button after.
    const bool hadKeys = start_->hasFocus() || cancel_->hasFocus();
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    progress_->setTextVisible(running);
    if (!running) {
        progress_->setValue(0);
    }
    if (hadKeys) {
        (running ? cancel_ : start_)->setFocus();
    }
}

}  // namespace calbrine
