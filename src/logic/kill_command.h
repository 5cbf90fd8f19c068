// Shortcut 101, "Kill process of selected window": the kill confirmation, its don't-ask-again box
// kept in the settings and written to the configuration file at once, then the target window asked
// to close. The window's process is never terminated; the window's application decides.
#pragma once

#include "core/geometry.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace cellaro {

class Desktop;
class SettingsModel;
class Shell;
class TargetTracker;

// The confirmation's text for a target with this title (UTF-8): its first kTitleCharacters
// characters, then the warning, each part after two carriage returns.
inline constexpr std::size_t kKillTitleCharacters = 50;
[[nodiscard]] std::string killConfirmationText(std::string_view title);
// The confirmation's text for the window manager list's close button: the warning alone, without a
// title.
[[nodiscard]] std::string windowCloseConfirmationText();

// The kill confirmation as both kill commands ask it: unless the user asked not to be asked again,
// the dialog with this text; whatever the answer, its box's state is kept and written at once
// (writeSkipFlag, false when that failed). True when the close may go ahead.
[[nodiscard]] bool confirmKill(Shell& shell, SettingsModel& settings, const std::string& text,
                               const std::function<bool()>& writeSkipFlag);

class KillCommand {
public:
    struct Services {
        Desktop& desktop;
        Shell& shell;
        SettingsModel& settings;
        const TargetTracker& tracker;
        // Writes the don't-ask-again flag to the configuration file and saves it, reporting a
        // failure to the user; false then, and the command goes no further.
        std::function<bool()> writeSkipFlag;
    };

    explicit KillCommand(Services services);
    KillCommand(const KillCommand&) = delete;
    KillCommand& operator=(const KillCommand&) = delete;
    KillCommand(KillCommand&&) = delete;
    KillCommand& operator=(KillCommand&&) = delete;
    ~KillCommand() = default;

    // The action of shortcut 101. While its confirmation shows, or while the target it asked to
    // close is still handling the request (the program keeps answering meanwhile), a second call
    // does nothing. With no target the request goes to no window.
    void run();
    [[nodiscard]] bool busy() const { return busy_; }

private:
    Services services_;
    bool busy_ = false;
};

} // namespace cellaro
