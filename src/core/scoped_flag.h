// A flag that is set for as long as the scope runs: an operation that lets messages through marks
// itself busy, so that a second one arriving meanwhile does nothing.
#pragma once

namespace cellaro {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ScopedFlag(ScopedFlag&&) = delete;
    ScopedFlag& operator=(ScopedFlag&&) = delete;
    ~ScopedFlag() { flag_ = before_; }

private:
    bool& flag_;
    bool before_;
};

} // namespace cellaro
