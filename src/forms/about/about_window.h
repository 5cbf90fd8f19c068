// The about window (Tfabout): the product name and the running executable's version on an orange
// panel that drags the window, a link to the website, and a strip of share pictures: the share
// pages of a short-message service and of a social network, and a prepared e-mail. Borderless,
// always on top and of a fixed size; the tray's "About" shows it.
#pragma once

#include "core/geometry.h"
#include "widgets/form.h"
#include "widgets/window_drag.h"

#include <array>

namespace cellaro {

class Desktop;
class FileSystem;
class Image;
class Label;
class MailSender;
class Panel;
class Shell;

// What the about window works with, given by the program.
struct AboutWindowServices {
    FormHost& host;
    Desktop& desktop;
    Shell& shell;
    MailSender& mail;
    const FileSystem& files;
};

class AboutWindow final : public Form {
public:
    static constexpr Size kClientSize{558, 401};
    static constexpr Point kPosition{1, 1};
    static constexpr int kStripWidth = 57;
    static constexpr Colour kStripColour = Colour::rgb(0xFF, 0xFF, 0xFF);
    static constexpr Colour kStripEdgeColour = Colour::rgb(0x5D, 0x5D, 0x5D);
    static constexpr Colour kPanelColour = Colour::rgb(0xF4, 0x68, 0x0B);
    static constexpr Colour kTextColour = Colour::rgb(0xFF, 0xFF, 0xFF);
    static constexpr std::string_view kVersionPrefix = "Version: ";
    static constexpr std::string_view kMailErrorText = "Error while trying to send email";
    static constexpr std::string_view kMailErrorCaption = "Error";

    // FormCreate: the layout, and the window at (1, 1).
    explicit AboutWindow(const AboutWindowServices& services);

    // The tray's "About": shows the window unless it is already visible.
    void showOnce();

    // Label35Click: the website in the default browser.
    void openWebsite();
    // Image7Click: the short-message service's share page.
    void shareByMessage();
    // Image15Click: the social network's share page.
    void shareOnNetwork();
    // Image11Click: the prepared e-mail, through the user's mail program.
    void mailRecommendation();

protected:
    void activated() override; // FormActivate
    void keyDown(int virtualKey, KeyModifiers modifiers) override;
    void moved(const Rect& bounds) override; // the window keeps its size
    void scaleChanged() override;

private:
    void buildStrip();
    void buildPanel();
    void paintPictures();
    void fillVersion();

    AboutWindowServices services_;
    WindowDrag windowDrag_;
    Panel* strip_ = nullptr;
    Panel* panel_ = nullptr;
    Label* version_ = nullptr;
    std::array<Image*, 3> shareImages_{};
};

} // namespace cellaro
