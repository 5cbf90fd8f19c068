// The about window: its layout, the version line, the links and the prepared e-mail.
#include "forms/about/about_window.h"

#include "core/product.h"
#include "forms/about/share_pictures.h"
#include "logic/share_links.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/mail.h"
#include "platform/shell.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <string>

namespace cellaro {

namespace {

constexpr int kVirtualKeyEscape = 0x1B;
constexpr std::string_view kTitle = "About";
constexpr std::string_view kProductLine = "Cellaro  ";
constexpr std::string_view kLinkText = "Visit the Cellaro website  ";
constexpr int kPictureLeft = (AboutWindow::kStripWidth - kSharePictureSize) / 2;
constexpr int kTextLeft = 20;
constexpr Rect kProductBounds = Rect::fromBounds(kTextLeft, 32, 460, 44);
constexpr Rect kVersionBounds = Rect::fromBounds(kTextLeft, 100, 460, 22);
constexpr Rect kLinkBounds = Rect::fromBounds(kTextLeft, 170, 200, 22);
constexpr Rect kCloseBounds = Rect::fromBounds(404, 341, 75, 25);
constexpr int kProductFontHeight = 32;
constexpr int kTextFontHeight = 16;

// A share picture: its control name, top in the strip, sign and hint.
struct ShareLink {
    std::string_view name;
    int top;
    ShareSign sign;
    std::string_view hint;
};

constexpr std::array<ShareLink, 3> kShareLinks{{
    {"Image7", 24, ShareSign::Message, "Twitter"},
    {"Image15", 84, ShareSign::Network, "E-mail"},
    {"Image11", 144, ShareSign::Mail, "E-mail"},
}};

NativeWindowStyle aboutStyle() {
    NativeWindowStyle style;
    style.title = std::string(kTitle);
    style.bounds = Rect::fromBounds(AboutWindow::kPosition.x, AboutWindow::kPosition.y,
                                    AboutWindow::kClientSize.width, AboutWindow::kClientSize.height);
    style.topmost = true;
    return style;
}

Font textFont(int height, bool bold, bool underline) {
    Font font;
    font.height = height;
    font.bold = bold;
    font.underline = underline;
    return font;
}

} // namespace

AboutWindow::AboutWindow(const AboutWindowServices& services)
    : Form(services.host, "fabout", aboutStyle()), services_(services) {
    root().setColour(kPanelColour);
    buildStrip();
    buildPanel();
    paintPictures();
    fillVersion();
}

void AboutWindow::buildStrip() {
    strip_ = &root().add<Panel>("pShare");
    strip_->setBounds(Rect::fromBounds(0, 0, kStripWidth, kClientSize.height));
    strip_->setColour(kStripColour);
    strip_->setBorderColour(kStripEdgeColour);
    const std::array<void (AboutWindow::*)(), 3> actions{
        &AboutWindow::shareByMessage, &AboutWindow::shareOnNetwork, &AboutWindow::mailRecommendation};
    for (std::size_t index = 0; index < kShareLinks.size(); ++index) {
        const ShareLink& link = kShareLinks.at(index);
        auto& image = strip_->add<Image>(std::string(link.name));
        image.setBounds(Rect::fromBounds(kPictureLeft, link.top, kSharePictureSize, kSharePictureSize));
        image.setFit(ImageFit::Centre);
        image.setHint(std::string(link.hint));
        image.onClick = [this, action = actions.at(index)] { (this->*action)(); };
        image.setTabStop(true);
        image.setAccessibleRole(AccessibleRole::Link);
        shareImages_.at(index) = &image;
    }
}

void AboutWindow::buildPanel() {
    panel_ = &root().add<Panel>("pMain");
    panel_->setBounds(Rect::fromBounds(kStripWidth, 0, kClientSize.width - kStripWidth, kClientSize.height));
    panel_->setColour(kPanelColour);
    windowDrag_.attach(*this, *panel_);

    auto& product = panel_->add<Label>("lProduct");
    product.setBounds(kProductBounds);
    product.setFont(textFont(kProductFontHeight, true, false));
    product.setFontColour(kTextColour);
    product.setText(std::string(kProductLine));
    windowDrag_.attach(*this, product);

    version_ = &panel_->add<Label>("lVersion");
    version_->setBounds(kVersionBounds);
    version_->setFont(textFont(kTextFontHeight, false, false));
    version_->setFontColour(kTextColour);
    windowDrag_.attach(*this, *version_);

    auto& link = panel_->add<Label>("Label35");
    link.setBounds(kLinkBounds);
    link.setFont(textFont(kTextFontHeight, false, true));
    link.setFontColour(kTextColour);
    link.setText(std::string(kLinkText));
    link.setHint(std::string(kWebsite));
    link.onClick = [this] { openWebsite(); };
    link.setTabStop(true);
    link.setAccessibleRole(AccessibleRole::Link);

    auto& close = panel_->add<GradientButton>("bClose");
    close.setBounds(kCloseBounds);
    close.setCaption("Close");
    close.onClick = [this] { this->close(); };
}

void AboutWindow::paintPictures() {
    const int dpi = scale().dpi;
    for (std::size_t index = 0; index < kShareLinks.size(); ++index) {
        shareImages_.at(index)->setPicture(sharePicture(kShareLinks.at(index).sign, dpi));
    }
}

void AboutWindow::fillVersion() {
    const auto version = services_.files.programVersion();
    version_->setText(std::string(kVersionPrefix) + (version ? version->text() : std::string()));
}

void AboutWindow::showOnce() {
    if (!visible()) {
        fillVersion();
        show(true);
    }
}

void AboutWindow::openWebsite() {
    services_.shell.openDocument(std::string(kWebsite));
}

void AboutWindow::shareByMessage() {
    services_.shell.openDocument(messageSharePage());
}

void AboutWindow::shareOnNetwork() {
    services_.shell.openDocument(socialSharePage());
}

// With no mail program, or when the logon to it fails, the user is told; a send that fails after
// the logon is the mail program's to report.
void AboutWindow::mailRecommendation() {
    const MailResult result = services_.mail.sendMail(id(), recommendationMail());
    if (result.status == MailStatus::Unavailable) {
        services_.shell.messageBox(std::string(kMailErrorText), std::string(kMailErrorCaption),
                                   MessageBoxButtons::Ok, MessageBoxIcon::Error);
    }
}

// FormActivate: the version line afresh, and the window on top of the topmost ones, in front.
void AboutWindow::activated() {
    fillVersion();
    window().setTopmost(true);
    services_.desktop.setZOrder(id(), ZOrder::Top);
}

void AboutWindow::keyDown(int virtualKey, KeyModifiers /*modifiers*/) {
    if (virtualKey == kVirtualKeyEscape) {
        close();
    }
}

// The window keeps its size at every scale: any other size is undone.
void AboutWindow::moved(const Rect& bounds) {
    const Size size = scale().physical(kClientSize);
    if (bounds.width() != size.width || bounds.height() != size.height) {
        setSize(size);
    }
}

void AboutWindow::scaleChanged() {
    paintPictures();
}

} // namespace cellaro
