// Services that keep the messages the core shows, so that a caller can tell whether a file
// routine reported a failure. While one exists it is the installed services; the beep and
// the date text go on to the services it replaced.
#pragma once

#include <string>
#include <vector>

#include "services/RunTimeServices.h"

namespace calbrine {

class MessageRecorder final : public RunTimeServices {
  public:
    // With `passMessagesOn` every message is also shown by the replaced services.
    explicit MessageRecorder(bool passMessagesOn);
    ~MessageRecorder() override;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void ShowMessage(const std::string& text, const std::string& title) override;
    void Beep() override;
    std::string GeneralDateText() override;
    std::size_t AskChoice(const std::string& text, const std::string& title,
                          const std::vector<std::string>& choices) override;

    const std::vector<std::string>& Messages() const { return messages_; }

  private:
    RunTimeServices& replaced_;
    bool passMessagesOn_;
    std::vector<std::string> messages_;
};

}  // namespace calbrine
