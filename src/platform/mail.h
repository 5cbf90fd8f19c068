// The mail port: a prepared message handed to the user's mail program, which shows it for the user
// to complete and send.
#pragma once

#include "core/geometry.h"

#include <string>
#include <vector>

namespace cellaro {

// Every part may be empty: a message without a recipient leaves the addressing to the user.
struct MailMessage {
    std::string to;                       // one recipient, as a bare internet address
    std::vector<std::string> attachments; // full paths of files to attach
    std::string subject;
    std::string body;
};

enum class MailStatus {
    // The message went to the mail program (which the user may still have cancelled: see code).
    Handed,
    // No mail program, or the logon to it failed: nothing was shown.
    Unavailable,
};

struct MailResult {
    MailStatus status = MailStatus::Unavailable;
    // The mail interface's own result code of the send (0 for success), or of the failed logon.
    unsigned long code = 0;
};

class MailSender {
public:
    MailSender() = default;
    MailSender(const MailSender&) = delete;
    MailSender& operator=(const MailSender&) = delete;
    MailSender(MailSender&&) = delete;
    MailSender& operator=(MailSender&&) = delete;
    virtual ~MailSender() = default;

    // Hands the message to the mail program with its dialog, owned by the given window. The
    // program's other windows take no input until the mail program returns.
    virtual MailResult sendMail(WindowId owner, const MailMessage& message) = 0;
};

} // namespace cellaro
