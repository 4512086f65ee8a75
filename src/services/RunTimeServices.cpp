#include "services/RunTimeServices.h"

#include <ctime>
#include <iostream>

namespace calbrine {
namespace {

// Console services: messages go to stderr, the date comes from the C library.
class ConsoleServices final : public RunTimeServices {
  public:
    void ShowMessage(const std::string& text, const std::string& title) override {
        std::cerr << title << ": " << text << std::endl;
    }
    void Beep() override { std::cerr << '\a' << std::flush; }
    std::string GeneralDateText() override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char text[64];
        std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
        return std::string(text, length);
    }
};

ConsoleServices consoleServices;
RunTimeServices* installed = &consoleServices;

}  // namespace

std::size_t RunTimeServices::AskChoice(const std::string& text, const std::string& title,
                                       const std::vector<std::string>& choices) {
    ShowMessage(text, title);
    return choices.empty() ? 0 : choices.size() - 1;
}

void InstallRunTimeServices(RunTimeServices* services) {
    installed = services != nullptr ? services : &consoleServices;
}

RunTimeServices& Services() {
    return *installed;
}

}  // namespace calbrine
