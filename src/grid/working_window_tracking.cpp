// The working window's side of the target tracking: what the tracker asks of the window, and the
// steps that run when the window becomes active.
#include "app/program.h"
#include "app/tray_form.h"
#include "grid/pictures.h"
#include "grid/working_window.h"
#include "platform/desktop.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <vector>

namespace cellaro {

namespace {

constexpr int kHalfWidth = 167;
constexpr int kTrayFormParkedTop = -3000;
constexpr std::string_view kEllipsis = "...";

// The byte offsets at which the UTF-8 text's code points start, and its length at the end.
std::vector<std::size_t> codePointStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            starts.push_back(i);
        }
    }
    starts.push_back(text.size());
    return starts;
}

} // namespace

// FormActivate
void WorkingWindow::activated() {
    ProgramFlags& flags = program_.flags();
    if (!flags.fullScreenReady) {
        return;
    }
    if (firstActivation_ && !flags.fullScreen) {
        const Monitor monitor = currentMonitor();
        setBounds(Rect::fromBounds(monitor.bounds.left + monitor.bounds.width() / 2 - kHalfWidth,
                                   monitor.bounds.height() / 2 - bounds().height() / 2, bounds().width(),
                                   bounds().height()));
        firstActivation_ = false;
    }
    autoHideTimer_.setEnabled(true);
    if (!flags.fullScreen) {
        statusPicture_->setBounds(Rect::fromBounds(10, 0, 32, 32));
        statusText_->setBounds(Rect::fromBounds(50, 10, 239, statusText_->bounds().height()));
        setAlpha(kActiveAlpha);
    }
    if (Widget* commands = find("Panel1")) {
        const Rect panel = commands->bounds();
        commands->setBounds(
            Rect::fromBounds(kHalfWidth - panel.width() / 2, panel.top, panel.width(), panel.height()));
    }
    applyTheme();
    resizeAllowed_ = false;
    if (!flags.fullScreen) {
        redrawBoard();
    }
    dragging_ = false;
    activeColumns_ = columns_;
    activeRows_ = rows_;

    TrayForm& tray = program_.trayForm();
    tray.hide();
    tray.setTop(kTrayFormParkedTop);
    recheckTimer_.setEnabled(true);
    if (!workingWindowTopmost()) {
        makeWorkingWindowTopmost();
    }
    tracker_.refreshTarget(true);
}

WindowId WorkingWindow::workingWindowId() const {
    return id();
}

WindowId WorkingWindow::trayFormId() const {
    return program_.trayForm().id();
}

bool WorkingWindow::workingWindowVisible() const {
    return visible();
}

bool WorkingWindow::workingWindowMinimised() const {
    const auto placement = program_.ports().desktop.placement(id());
    return placement && placement->state == ShowState::Minimized;
}

bool WorkingWindow::workingWindowTopmost() const {
    return (program_.ports().desktop.extendedStyles(id()) & exstyle::kTopmost) != 0;
}

void WorkingWindow::makeWorkingWindowTopmost() {
    window().setTopmost(true);
}

void WorkingWindow::bringWorkingWindowToFront() {
    program_.ports().desktop.setZOrder(id(), ZOrder::Top);
}

void WorkingWindow::closeWorkingWindow() {
    close();
}

int WorkingWindow::currentMonitorIndex() const {
    return monitorIndex();
}

bool WorkingWindow::previewVisible() const {
    return program_.previewRectangle().visible();
}

void WorkingWindow::parkPreviewLeft() {
    program_.previewRectangle().parkLeft();
}

void WorkingWindow::setNextMonitorAvailable(bool available) {
    // The tray menu decides its own item each time it opens.
    if (nextMonitorButton_ != nullptr) {
        nextMonitorButton_->setVisible(available);
    }
}

void WorkingWindow::showTargetDisplay(const Bitmap& icon, const std::string& title) {
    if (!(statusPicture_->picture() == icon)) {
        statusPicture_->setPicture(icon);
    }
    statusText_->setText(title);
}

void WorkingWindow::showDesktopDisplay() {
    // The picture's transparent surround takes the strip's colour.
    if (desktopPicture_.empty() || desktopPictureBackground_ != colours_.background) {
        desktopPicture_ = desktopPicture();
        for (int y = 0; y < desktopPicture_.height(); ++y) {
            for (int x = 0; x < desktopPicture_.width(); ++x) {
                if (desktopPicture_.pixel(x, y) == kPictureTransparent) {
                    desktopPicture_.setPixel(x, y, colours_.background);
                }
            }
        }
        desktopPictureBackground_ = colours_.background;
    }
    if (!(statusPicture_->picture() == desktopPicture_)) {
        statusPicture_->setPicture(desktopPicture_);
    }
    statusText_->setText("Desktop");
}

std::string WorkingWindow::fitStatusText(const std::string& title) const {
    FormHost& host = program_.ports().host;
    const Font& font = statusText_->font();
    const int width = statusText_->bounds().width();
    if (host.measureText(title, font).width <= width) {
        return title;
    }
    // The longest run of whole code points that still fits with the ellipsis behind it.
    const std::vector<std::size_t> starts = codePointStarts(title);
    std::size_t low = 0;                  // fits
    std::size_t high = starts.size() - 1; // does not fit (the whole title)
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        std::string candidate = title.substr(0, starts[middle]);
        candidate += kEllipsis;
        if (host.measureText(candidate, font).width <= width) {
            low = middle;
        } else {
            high = middle;
        }
    }
    std::string fitted = title.substr(0, starts[low]);
    fitted += kEllipsis;
    return fitted;
}

Colour WorkingWindow::statusBackground() const {
    return colours_.background;
}

void WorkingWindow::setTrayHint(const std::string& hint) {
    program_.trayForm().setTrayHint(hint);
}

} // namespace cellaro
