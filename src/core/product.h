// The product's own names, its web addresses and the places where its windows wait out of sight.
#pragma once

#include <string_view>

namespace cellaro {

// The product name: the main windows' titles, the tray hint's first line, message box captions and
// the autostart Run value's name.
inline constexpr std::string_view kProductName = "Cellaro";

// The product's web addresses, all of them here. The program opens the website and the share pages
// of a short-message service and of a social network that the about window offers. In a share
// address {text} stands for the recommendation and {url} for the website, both filled in
// percent-encoded.
inline constexpr std::string_view kWebsite = "https://cellaro.example/";
inline constexpr std::string_view kMessageShareAddress =
    "https://share.cellaro.example/message?text={text}&url={url}";
inline constexpr std::string_view kSocialShareAddress =
    "https://share.cellaro.example/social?u={url}&quote={text}";
// Where a release's portable zip is downloaded from, {version} standing for the version. The program
// does not open it: scripts/package.sh reads it (with kWebsite) from here for the package manifests.
inline constexpr std::string_view kDownloadAddress =
    "https://cellaro.example/download/Cellaro-{version}-win64.zip";
// The release zip's name, {version} standing for the version: scripts/package.sh names the zip so,
// and the program names it where the user guide is missing.
inline constexpr std::string_view kReleaseZipName = "Cellaro-{version}-win64.zip";
// The user guide beside the program, as the release zip holds it.
inline constexpr std::string_view kUserGuideFileName = "Cellaro-User-Guide.htm";

// Forms that are not shown wait above the screen at this top.
inline constexpr int kParkedTop = -1000;
// The invisible tray form waits further up, out of the way of every other parked form.
inline constexpr int kTrayFormParkedTop = -3000;

} // namespace cellaro
