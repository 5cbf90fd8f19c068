// The application's error report, as every form and command receives it, and the texts it shows
// for files that could not be saved or read.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace cellaro {

// Shows one error to the user (the program's error box). The text is complete: it names what
// failed, where, and the system's reason.
using ErrorReport = std::function<void(const std::string& text)>;

// The system's reason without the line ends and blanks it often ends with.
[[nodiscard]] inline std::string trimmedReason(std::string_view reason) {
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) {
        reason.remove_suffix(1);
    }
    return std::string(reason);
}

// A file the program keeps beside itself could not be written.
[[nodiscard]] inline std::string saveFailedText(std::string_view path, std::string_view reason) {
    return "Cellaro could not save " + std::string(path) + ":\r\n" + trimmedReason(reason) +
           "\r\n\r\nCellaro keeps its settings beside the program, so it needs a folder you can write "
           "to. Move the Cellaro folder to such a place (your Documents folder, for example) and start "
           "it from there.";
}

// A file could not be saved because it could not be read first: writing it whole would have lost
// what it holds.
[[nodiscard]] inline std::string saveUnreadableText(std::string_view path, std::string_view reason) {
    return "Cellaro could not save " + std::string(path) + ", because it could not read the file first:\r\n" +
           trimmedReason(reason) +
           "\r\n\r\nThe file was left as it is. Another program may be holding it open; Cellaro reads it "
           "again as soon as it can.";
}

// A file could not be read at all.
[[nodiscard]] inline std::string readFailedText(std::string_view path, std::string_view reason) {
    return "Cellaro could not read " + std::string(path) + ":\r\n" + trimmedReason(reason);
}

// A file was read but does not hold what the program writes there; `why` says what is wrong.
[[nodiscard]] inline std::string unusableFileText(std::string_view path, std::string_view why) {
    return "Cellaro could not use " + std::string(path) + ": " + std::string(why) + ".";
}

} // namespace cellaro
