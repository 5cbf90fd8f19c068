// The mail port over the system's simple mail interface (MAPI), loaded at run time from the
// system directory.
#pragma once

#include "platform/mail.h"

namespace cellaro::win32 {

class Win32MailSender final : public MailSender {
public:
    // Logs on with the mail program's own logon dialog in a session of its own, hands the message
    // over with the mail program's dialog while the program's other windows are disabled, and logs
    // off. The simple mail interface takes texts in the ANSI code page.
    MailResult sendMail(WindowId owner, const MailMessage& message) override;
};

} // namespace cellaro::win32
