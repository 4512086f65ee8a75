#include "services/MessageRecorder.h"

namespace calbrine {

MessageRecorder::MessageRecorder(bool passMessagesOn)
    : replaced_(Services()), passMessagesOn_(passMessagesOn) {
    InstallRunTimeServices(this);
}

MessageRecorder::~MessageRecorder() {
    InstallRunTimeServices(&replaced_);
}

void MessageRecorder::ShowMessage(const std::string& text, const std::string& title) {
    messages_.push_back(text);
    if (passMessagesOn_) {
        replaced_.ShowMessage(text, title);
    }
}

void MessageRecorder::Beep() {
    if (passMessagesOn_) {
        replaced_.Beep();
    }
}

std::string MessageRecorder::GeneralDateText() {
    return replaced_.GeneralDateText();
}

std::size_t MessageRecorder::AskChoice(const std::string& text, const std::string& title,
                                       const std::vector<std::string>& choices) {
    return replaced_.AskChoice(text, title, choices);
}

}  // namespace calbrine
