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

bool confirmKill(Shell& shell, SettingsModel& settings, const std::string& text,
                 const std::function<bool()>& writeSkipFlag) {
    if (settings.skipKillConfirmation()) {
        return true;
    }
    const KillConfirmation confirmation = shell.confirmKill(text, std::string(kProductName));
    settings.setSkipKillConfirmation(confirmation.dontAskAgain);
    if (writeSkipFlag && !writeSkipFlag()) {
        return false;
    }
    return confirmation.answer == KillAnswer::Yes;
}

KillCommand::KillCommand(Services services) : services_(std::move(services)) {}

void KillCommand::run() {
    if (busy_) {
        return;
    }
    const ScopedFlag scope(busy_);
    const WindowId target = services_.tracker.target();
    const std::string title = target == kNoWindow ? std::string() : services_.desktop.title(target);
    if (!confirmKill(services_.shell, services_.settings, killConfirmationText(title),
                     services_.writeSkipFlag)) {
        return;
    }
    // The window the request goes to is the one confirmed: the tracking may have moved on while
    // the dialog showed (the dialog itself is never a target), so the target read before stands.
    if (target == kNoWindow) {
        return;
    }
    services_.desktop.requestClose(target);
}

} // namespace cellaro
