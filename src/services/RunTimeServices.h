// What the core needs of the window system: message boxes, a beep and the date text.
// The desktop program installs a Qt binding; without one the core talks to the console.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace calbrine {

class RunTimeServices {
  public:
    virtual ~RunTimeServices() = default;
    // Modal message with an OK button only. Callers pass "Calbrine" when a message has no
    // caption of its own.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    virtual void Beep() = 0;
    // The current local date and time: short date, a blank, the time with seconds.
    virtual std::string GeneralDateText() = 0;
    // Asks a question answered by one of the buttons captioned `choices`, the last of which
    // cancels; returns the index of the one chosen, the last when the question is closed.
    // Without a window to ask in, the answer is the last.
    virtual std::size_t AskChoice(const std::string& text, const std::string& title,
                                  const std::vector<std::string>& choices);
};

// Installs the services every message, beep and date text of the core goes through;
// nullptr restores the built-in console services.
void InstallRunTimeServices(RunTimeServices* services);

// The services installed now.
RunTimeServices& Services();

}  // namespace calbrine
