// The recommendation the about window passes on: the share page addresses with the prepared text
// filled in, and the prepared e-mail.
#pragma once

#include "platform/mail.h"

#include <string>
#include <string_view>

namespace cellaro {

inline constexpr std::string_view kRecommendation =
    "The Cellaro introducing a new way to control desktop windows";
inline constexpr std::string_view kRecommendationSubject = "New way to control desktop windows";

// Every byte but the unreserved ones (letters, digits, "-", ".", "_", "~") as %XX, so that UTF-8
// text survives in a query.
[[nodiscard]] std::string percentEncode(std::string_view text);

// The address with each {text} and {url} replaced by the percent-encoded values.
[[nodiscard]] std::string fillShareAddress(std::string_view pattern, std::string_view text,
                                           std::string_view url);

// The share page of the short-message service and of the social network, recommending the website.
[[nodiscard]] std::string messageSharePage();
[[nodiscard]] std::string socialSharePage();

// The prepared e-mail: no recipient and no attachment, so the user addresses it in the mail program.
[[nodiscard]] MailMessage recommendationMail();

} // namespace cellaro
