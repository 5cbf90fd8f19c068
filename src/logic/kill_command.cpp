// The kill command of shortcut 101.
#include "logic/kill_command.h"

#include "config/settings.h"
#include "core/product.h"
#include "core/scoped_flag.h"
#include "core/utf8.h"
#include "logic/target_tracker.h"
#include "platform/desktop.h"
#include "platform/shell.h"

#include <utility>

namespace cellaro {

namespace {

constexpr std::string_view kKillWarning = "\r\r"
                                          "You will kill the process and stop the selected window.           "
                                          "\r\r"
                                          "Click \"Kill process\" to ignore this message and continue.";

} // namespace

std::string killConfirmationText(std::string_view title) {
    std::string text = "Selected window:  ";
    text += utf8::firstCharacters(title, kKillTitleCharacters);
    text += kKillWarning;
    return text;
}

std::string windowCloseConfirmationText() {
    return std::string(kKillWarning);
}

KillCommand::KillCommand(Services services) : services_(std::move(services)) {}

void KillCommand::run() {
    if (busy_) {
        return;
    }
    const ScopedFlag scope(busy_);
    const WindowId target = services_.tracker.target();
    if (!services_.settings.skipKillConfirmation()) {
        const std::string title = target == kNoWindow ? std::string() : services_.desktop.title(target);
        const KillConfirmation confirmation =
            services_.shell.confirmKill(killConfirmationText(title), std::string(kProductName));
        // Whatever the answer, the box's state is kept and written at once.
        services_.settings.setSkipKillConfirmation(confirmation.dontAskAgain);
        if (services_.writeSkipFlag && !services_.writeSkipFlag()) {
            return;
        }
        if (confirmation.answer != KillAnswer::Yes) {
            return;
        }
    }
    // The window the request goes to is the one confirmed: the tracking may have moved on while
    // the dialog showed (the dialog itself is never a target), so the target read before stands.
    if (target == kNoWindow) {
        return;
    }
    services_.desktop.requestClose(target);
}

} // namespace cellaro
