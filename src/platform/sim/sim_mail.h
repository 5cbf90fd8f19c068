// The simulated mail program: records the messages handed to it, and can be told that there is no
// mail program or that the user cancels the message.
#pragma once

#include "platform/mail.h"

#include <vector>

namespace cellaro::sim {

struct HandedMail {
    WindowId owner;
    MailMessage message;
};

class SimMailSender final : public MailSender {
public:
    // The code the mail interface gives for a logon that found no mail program.
    static constexpr unsigned long kLogonFailure = 3;

    // Without a mail program every send is refused before anything shows.
    void setMailProgramPresent(bool present) { present_ = present; }
    // The code the next sends return (0: the user sent the message).
    void setSendCode(unsigned long code) { sendCode_ = code; }
    [[nodiscard]] const std::vector<HandedMail>& handed() const { return handed_; }
    [[nodiscard]] int refusedCount() const { return refused_; }

    MailResult sendMail(WindowId owner, const MailMessage& message) override {
        if (!present_) {
            ++refused_;
            return MailResult{MailStatus::Unavailable, kLogonFailure};
        }
        handed_.push_back(HandedMail{owner, message});
        return MailResult{MailStatus::Handed, sendCode_};
    }

private:
    bool present_ = true;
    unsigned long sendCode_ = 0;
    std::vector<HandedMail> handed_;
    int refused_ = 0;
};

} // namespace cellaro::sim
