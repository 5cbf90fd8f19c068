// The tray icon's hint texts and its first-start balloon.
#include "logic/tray_hint.h"

#include "core/utf8.h"

namespace cellaro {

std::string startupTrayHint(int monitorCount, int monitorIndex) {
    std::string hint(kProductName);
    if (monitorCount > 1) {
        hint += "\r\nMonitor: " + std::to_string(monitorIndex + 1);
    }
    return hint;
}

TrayBalloon firstStartBalloon(std::string_view fullScreenShortcut) {
    TrayBalloon balloon;
    balloon.title = std::string(kProductName) + " is running";
    balloon.text = std::string(kProductName) +
                   " runs here, in the notification area. Click its icon to open the grid and place "
                   "the window you work in";
    if (!fullScreenShortcut.empty()) {
        balloon.text += ", or press " + std::string(fullScreenShortcut) + " for the full-screen grid";
    }
    balloon.text += ". Right-click the icon for every command.";
    return balloon;
}

std::string fitTrayHint(std::string_view text) {
    return std::string(utf8::firstCharacters(text, kTrayHintLimit));
}

} // namespace cellaro
