// Filling the share addresses and preparing the recommendation e-mail.
#include "logic/share_links.h"

#include "core/product.h"

namespace cellaro {

namespace {

bool unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::string percentEncode(std::string_view text) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (unreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4U];
            encoded += kHex[byte & 0x0FU];
        }
    }
    return encoded;
}

std::string fillShareAddress(std::string_view pattern, std::string_view text, std::string_view url) {
    constexpr std::string_view kTextField = "{text}";
    constexpr std::string_view kUrlField = "{url}";
    std::string filled;
    std::size_t at = 0;
    while (at < pattern.size()) {
        if (pattern.substr(at, kTextField.size()) == kTextField) {
            filled += percentEncode(text);
            at += kTextField.size();
        } else if (pattern.substr(at, kUrlField.size()) == kUrlField) {
            filled += percentEncode(url);
            at += kUrlField.size();
        } else {
            filled += pattern[at];
            ++at;
        }
    }
    return filled;
}

std::string messageSharePage() {
    return fillShareAddress(kMessageShareAddress, kRecommendation, kWebsite);
}

std::string socialSharePage() {
    return fillShareAddress(kSocialShareAddress, kRecommendation, kWebsite);
}

MailMessage recommendationMail() {
    MailMessage mail;
    mail.subject = std::string(kRecommendationSubject);
    mail.body = std::string(kRecommendation) + "...  Website: " + std::string(kWebsite);
    return mail;
}

} // namespace cellaro
