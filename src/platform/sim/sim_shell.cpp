// The simulated shell and tray icon.
#include "platform/sim/sim_shell.h"

#include <algorithm>
#include <utility>

namespace cellaro::sim {

namespace {

const MenuItem* findItem(const std::vector<MenuItem>& items,
                         const std::function<bool(const MenuItem&)>& match) {
    for (const MenuItem& item : items) {
        if (match(item)) {
            return &item;
        }
        if (const MenuItem* inner = findItem(item.submenu, match)) {
            return inner;
        }
    }
    return nullptr;
}

// Whether the user can choose the item with this id: a visible, enabled command whose submenus
// on the way are visible and enabled too.
bool choosable(const std::vector<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (!item.visible || !item.enabled || item.separator) {
            continue;
        }
        if (!item.submenu.empty()) {
            if (choosable(item.submenu, id)) {
                return true;
            }
        } else if (item.id == id && id != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

SimShell::SimShell(EventLoop& loop) : loop_(loop) {}

SimShell::~SimShell() {
    // Icons that outlive the shell must not call back into it.
    for (SimTrayIcon* icon : icons_) {
        icon->stopRetrying();
        icon->shell_ = nullptr;
        icon->present_ = false;
    }
}

std::unique_ptr<TrayIcon> SimShell::createTrayIcon(const std::string& hint, TrayIconEvents& events) {
    auto icon = std::make_unique<SimTrayIcon>(*this, hint, events);
    icons_.push_back(icon.get());
    trayHints_.push_back(hint);
    icon->add();
    return icon;
}

SimTrayIcon* SimShell::trayIcon() const {
    return icons_.empty() ? nullptr : icons_.back();
}

bool SimShell::trayIconPresent() const {
    const SimTrayIcon* icon = trayIcon();
    return icon != nullptr && icon->present();
}

bool SimShell::clickTrayLeft() const {
    SimTrayIcon* icon = trayIcon();
    if (icon == nullptr || !icon->present()) {
        return false;
    }
    icon->events().onTrayLeftClick();
    return true;
}

bool SimShell::clickTrayRight(Point cursor) const {
    SimTrayIcon* icon = trayIcon();
    if (icon == nullptr || !icon->present()) {
        return false;
    }
    icon->events().onTrayRightClick(cursor);
    return true;
}

void SimShell::restartShell() {
    for (SimTrayIcon* icon : icons_) {
        icon->present_ = false;
    }
    for (SimTrayIcon* icon : icons_) {
        if (!icon->removed_) {
            icon->add();
        }
    }
}

bool SimShell::tryAdd() {
    ++addAttempts_;
    if (addFailuresLeft_ > 0) {
        --addFailuresLeft_;
        return false;
    }
    return true;
}

void SimShell::forget(SimTrayIcon& icon) {
    icons_.erase(std::remove(icons_.begin(), icons_.end(), &icon), icons_.end());
}

void SimShell::queueMenuAnswer(std::optional<int> id) {
    menuAnswers_.emplace_back([id](const std::vector<MenuItem>&) { return id; });
}

void SimShell::queueMenuChoice(const std::string& itemName) {
    menuAnswers_.emplace_back(
        [itemName](const std::vector<MenuItem>& items) { return itemId(items, itemName); });
}

std::optional<int> SimShell::itemId(const std::vector<MenuItem>& items, const std::string& name) {
    const MenuItem* found = findItem(items, [&name](const MenuItem& item) { return item.name == name; });
    if (found == nullptr) {
        return std::nullopt;
    }
    return found->id;
}

std::optional<int> SimShell::trackPopupMenu(const std::vector<MenuItem>& items, Point at) {
    std::optional<int> answer;
    if (!menuAnswers_.empty()) {
        const MenuAnswer next = std::move(menuAnswers_.front());
        menuAnswers_.pop_front();
        answer = next(items);
    } else if (menuAnswerer_) {
        answer = menuAnswerer_(items);
    }
    if (answer && !choosable(items, *answer)) {
        answer.reset();
    }
    menus_.push_back(ShownMenu{items, at, answer});
    return answer;
}

bool SimShell::openDocument(const std::string& path) {
    openedDocuments_.push_back(path);
    return openDocumentResult_;
}

bool SimShell::startProgram(const std::string& path) {
    startedPrograms_.push_back(path);
    return startProgramResult_;
}

void SimShell::openFolderAndSelect(const std::string& path) {
    if (!path.empty()) {
        openedFolders_.push_back(path);
    }
}

bool SimShell::cascadeWindows() {
    ++cascades_;
    return arrangeResult_;
}

bool SimShell::tileWindows(bool vertical) {
    tiles_.push_back(vertical);
    return arrangeResult_;
}

MessageBoxResult SimShell::messageBox(const std::string& text, const std::string& caption,
                                      MessageBoxButtons buttons, MessageBoxIcon icon) {
    return showBox(ShownMessageBox{text, caption, buttons, icon});
}

MessageBoxResult SimShell::ask(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                               MessageBoxIcon icon, MessageBoxDefault defaultButton) {
    ShownMessageBox box{text, caption, buttons, icon};
    box.defaultButton = defaultButton;
    box.question = true;
    return showBox(std::move(box));
}

MessageBoxResult SimShell::showBox(ShownMessageBox box) {
    box.answer = box.buttons == MessageBoxButtons::Ok || box.buttons == MessageBoxButtons::OkCancel
                     ? MessageBoxResult::Ok
                     : MessageBoxResult::Yes;
    if (!messageBoxAnswers_.empty()) {
        box.answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
    }
    const MessageBoxResult answer = box.answer;
    messageBoxes_.push_back(std::move(box));
    // The box is on the screen: its message loop runs the thread's queued input and overdue timers,
    // as the system's does, before the user answers.
    ++modalDepth_;
    maxModalDepth_ = std::max(maxModalDepth_, modalDepth_);
    loop_.processPendingMessages();
    --modalDepth_;
    return answer;
}

bool SimShell::chooseColour(ColourChoice& choice) {
    colourChoosers_.push_back(choice);
    // A modal dialog: its loop runs the queued input first.
    loop_.processPendingMessages();
    std::optional<Colour> answer;
    if (!colourAnswers_.empty()) {
        answer = colourAnswers_.front();
        colourAnswers_.pop_front();
    }
    if (answer) {
        choice.colour = *answer;
    }
    return answer.has_value();
}

KillConfirmation SimShell::confirmKill(const std::string& text, const std::string& caption) {
    KillConfirmation answer{KillAnswer::No, false};
    if (!killAnswers_.empty()) {
        answer = killAnswers_.front();
        killAnswers_.pop_front();
    }
    killConfirmations_.push_back(ShownKillConfirmation{text, caption, answer});
    killShowing_ = true;
    // A modal dialog: its loop runs the queued input first.
    loop_.processPendingMessages();
    if (killHook_) {
        // The hook may show another confirmation: it must not run again inside it.
        const std::function<void()> hook = std::exchange(killHook_, nullptr);
        hook();
    }
    killShowing_ = false;
    return answer;
}

SimTrayIcon::SimTrayIcon(SimShell& shell, std::string hint, TrayIconEvents& events)
    : shell_(&shell), events_(events), hint_(std::move(hint)) {}

SimTrayIcon::~SimTrayIcon() {
    stopRetrying();
    if (shell_ != nullptr) {
        shell_->forget(*this);
    }
}

void SimTrayIcon::setHint(const std::string& utf8) {
    hint_ = utf8;
    if (shell_ != nullptr) {
        shell_->trayHints_.push_back(utf8);
    }
}

void SimTrayIcon::showBalloon(const std::string& title, const std::string& text) {
    pendingBalloon_ = ShownBalloon{title, text};
    flushBalloon();
}

void SimTrayIcon::flushBalloon() {
    if (shell_ == nullptr || !present_ || removed_ || !pendingBalloon_) {
        return;
    }
    shell_->balloons_.push_back(std::move(*pendingBalloon_));
    pendingBalloon_.reset();
}

void SimTrayIcon::remove() {
    removed_ = true;
    present_ = false;
    stopRetrying();
}

void SimTrayIcon::add() {
    if (shell_ == nullptr) {
        return;
    }
    if (shell_->tryAdd()) {
        present_ = true;
        stopRetrying();
        flushBalloon();
        return;
    }
    if (retryTimer_ == kNoTimer) {
        retryTimer_ = shell_->loop_.startTimer(SimShell::kTrayRetryMs, [this] { add(); });
    }
}

void SimTrayIcon::stopRetrying() {
    if (retryTimer_ != kNoTimer && shell_ != nullptr) {
        shell_->loop_.stopTimer(retryTimer_);
        retryTimer_ = kNoTimer;
    }
}

} // namespace cellaro::sim
