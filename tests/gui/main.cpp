// The window tests run offscreen with their own answers to every dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/QtRunTimeServices.h"
#include "simulation/SimulationWorker.h"
#include "windows/Navigation.h"

int main(int argc, char* argv[]) {
    // The simulation window starts this program again as its workers.
    if (const int worker = calbrine::SimulationWorkerMain(argc, argv); worker >= 0) {
        return worker;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    calbrine::InstallQtRunTimeServices();
    calbrine::InstallWindowAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
