#include "windows/RunPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/Navigation.h"

namespace calbrine {

namespace {

const char* const WorkersBusyText =
    "A simulation is already running; please wait for it to finish or cancel it.";

// "monteCarlo" and "Start" name the control monteCarloStart; no name and "Start", start.
QString controlName(const QString& name, const QString& control) {
    return name.isEmpty() ? control.toLower() : name + control;
}

}  // namespace

RunPanel::RunPanel(const QString& startCaption, const QString& name, QWidget* parent)
    : QWidget(parent) {
    run_ = new BackgroundRun(
        [this](int permille, const QString& phase) { showProgress(permille, phase); }, this);
    start_ = new QPushButton(startCaption);
    start_->setObjectName(controlName(name, "Start"));
    GiveShortcut(start_, QKeySequence(Qt::CTRL | Qt::Key_R));
    cancel_ = new QPushButton("Cancel");
    cancel_->setObjectName(controlName(name, "Cancel"));
    cancel_->setToolTip("Stops the run and its worker processes");
    progress_ = new QProgressBar;
    progress_->setObjectName(controlName(name, "Progress"));
    progress_->setRange(0, 1000);
    progress_->setAccessibleName("Progress of the run");
    status_ = new QLabel;
    status_->setObjectName(controlName(name, "Status"));
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

    row_ = new QHBoxLayout;
    row_->setContentsMargins(0, 0, 0, 0);
    row_->addWidget(start_);
    row_->addWidget(cancel_);
    row_->addWidget(progress_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row_);
    layout->addWidget(status_);
    setRunning(false);
}

bool RunPanel::follow(const QByteArray& inputs, const QString& why) {
    if (inputs == inputs_) {
        return false;
    }
    inputs_ = inputs;
    stopSaying(why);
    dropOutcome();
    return true;
}

void RunPanel::stop() {
    stopSaying("Cancelled.");
}

void RunPanel::addInput(QWidget* control) {
    row_->addWidget(control);
    inputControls_.push_back(control);
    control->setEnabled(!running());
}

QString RunPanel::status() const {
    return status_->text();
}

bool RunPanel::startWork(BackgroundRun::Work work) {
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
    started_ = std::chrono::steady_clock::now();
    setStatus("");
    setRunning(true);
    showProgress(0, "starting ngspice");
    return true;
}

void RunPanel::sayEnd(const RunStatus& status, const QString& done) {
    switch (status.failure) {
        case SimulationFailure::None:
            setStatus(done);
            break;
        case SimulationFailure::Cancelled:
            setStatus("Cancelled.");
            break;
        default:
            setStatus("The simulation did not complete. " + QString::fromStdString(status.message));
    }
}

double RunPanel::seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void RunPanel::stopSaying(const QString& why) {
    const bool was = running();
    run_->stop();
    setRunning(false);
    setStatus(was ? why : "");
}

void RunPanel::setStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void RunPanel::showProgress(int permille, const QString& phase) {
    progress_->setValue(permille);
    progress_->setFormat("Simulating " + phase + " ...  %p %");
}

void RunPanel::setRunning(bool running) {
    // The keys stay on the run's buttons: on Cancel while it runs, on the start button after.
    const bool hadKeys = start_->hasFocus() || cancel_->hasFocus();
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    progress_->setTextVisible(running);
    if (!running) {
        progress_->setValue(0);
    }
    for (QWidget* control : inputControls_) {
        control->setEnabled(!running);
    }
    if (hadKeys) {
        (running ? cancel_ : start_)->setFocus();
    }
}

}  // namespace calbrine
