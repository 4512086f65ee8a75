// The window tests run offscreen with their own answers to every dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/QtRunTimeServices.h"
#include "windows/Navigation.h"

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    calbrine::InstallQtRunTimeServices();
    calbrine::InstallWindowAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
