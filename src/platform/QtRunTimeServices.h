// The run-time services of the desktop program: Qt message boxes, the system beep, the
// date in the user's regional form, the end of the program and modal windows.
#pragma once

#include <QDialog>
#include <functional>

#include "services/RunTimeServices.h"

namespace calbrine {

class QtRunTimeServices final : public RunTimeServices {
  public:
    void ShowMessage(const std::string& text, const std::string& title) override;
    void Beep() override;
    std::string GeneralDateText() override;
    std::size_t AskChoice(const std::string& text, const std::string& title,
                          const std::vector<std::string>& choices) override;
};

// Installs the Qt services and the font faces the windows name; called once at start.
void InstallQtRunTimeServices();

// Ends the program: every window closes and no further event runs.
void EndProgram();
// Tests replace the end of the program with their own action; an empty function restores it.
void SetEndProgramAction(std::function<void()> action);

// Shows a window modally and returns when it closes. Tests install their own runner to
// answer the window instead of waiting for a user; an empty function restores exec().
int RunModal(QDialog& dialog);
void SetModalRunner(std::function<int(QDialog&)> runner);

}  // namespace calbrine
