// What the working window shows, the compact board or the full-screen grid, and whether its
// activation steps may run. One state with named transitions instead of loose flags.
#pragma once

namespace cellaro {

class WorkingMode {
public:
    enum class State {
        Compact,    // the compact board; activation steps run
        FullScreen, // the full-screen grid; activation steps run
        Switching,  // between the two forms: activation steps wait
        Closed,     // closed; activation steps wait until the window is shown again
    };

    [[nodiscard]] State state() const { return state_; }
    [[nodiscard]] bool fullScreen() const { return state_ == State::FullScreen; }
    // FormActivate's steps may run.
    [[nodiscard]] bool activationReady() const {
        return state_ == State::Compact || state_ == State::FullScreen;
    }

    // The switch into the full-screen grid starts, and finishes.
    void beginSwitch() { state_ = State::Switching; }
    void enterFullScreen() { state_ = State::FullScreen; }
    // ResetirajPolozaj has run, or the window is shown in its compact form.
    void compact() { state_ = State::Compact; }
    // FormClose.
    void closed() { state_ = State::Closed; }

private:
    State state_ = State::Compact;
};

} // namespace cellaro
