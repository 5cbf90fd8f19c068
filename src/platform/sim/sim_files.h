// The simulated file system (files held in memory, failures injected by tests, writes counted) and
// the simulated keyboard's key names.
#pragma once

#include "platform/files.h"
#include "platform/keyboard.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace cellaro::sim {

// Paths compare without regard to ASCII case, as on Windows.
struct PathLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class SimFileSystem final : public FileSystem {
public:
    static constexpr const char* kDefaultProgramPath = "C:\\Program Files\\Cellaro\\cellaro.exe";

    SimFileSystem() = default;

    [[nodiscard]] std::string programPath() const override { return programPath_; }
    // Everything up to and including the last "\" or "/" of the program path.
    [[nodiscard]] std::string programDirectory() const override;
    [[nodiscard]] FileReadResult read(const std::string& path) const override;
    FileWriteResult writeAtomic(const std::string& path, const std::string& data) override;
    [[nodiscard]] bool exists(const std::string& path) const override;
    bool remove(const std::string& path) override;

    void setProgramPath(std::string path) { programPath_ = std::move(path); }

    // Direct access for tests, bypassing failures and counters.
    void setFile(const std::string& path, std::string data) { files_[path] = std::move(data); }
    [[nodiscard]] std::optional<std::string> file(const std::string& path) const;
    [[nodiscard]] const std::map<std::string, std::string, PathLess>& files() const { return files_; }

    // Reads of this path fail with the error text (the file itself stays).
    void failReads(const std::string& path, std::string error) { readFailures_[path] = std::move(error); }
    // Writes fail with the error text and leave the target as it was. A path ending in "\" or "/"
    // names a directory: every write below it fails.
    void failWrites(const std::string& pathOrDirectory, std::string error) {
        writeFailures_[pathOrDirectory] = std::move(error);
    }
    void clearFailures();
    // No temporary file can be created: writes go in place (and still succeed unless failed above).
    void setTemporaryFilesUnavailable(bool unavailable) { temporaryFilesUnavailable_ = unavailable; }

    [[nodiscard]] int writeCount() const { return writeCount_; }             // successful writes
    [[nodiscard]] int failedWriteCount() const { return failedWriteCount_; } // refused writes
    [[nodiscard]] int inPlaceWriteCount() const { return inPlaceWriteCount_; }

private:
    [[nodiscard]] const std::string* writeFailure(const std::string& path) const;

    std::string programPath_ = kDefaultProgramPath;
    std::map<std::string, std::string, PathLess> files_;
    std::map<std::string, std::string, PathLess> readFailures_;
    std::map<std::string, std::string, PathLess> writeFailures_;
    bool temporaryFilesUnavailable_ = false;
    int writeCount_ = 0;
    int failedWriteCount_ = 0;
    int inPlaceWriteCount_ = 0;
};

// Key display names of a US keyboard for the codes outside the fixed shortcut-text names, as far as
// tests need them: 0x0C "Num 5", 0x10 "Shift", 0x11 "Ctrl", 0x12 "Alt", 0x13 "Pause", 0x14 "Caps Lock",
// 0x2C "Sys Req", 0x5B "Left Windows", 0x5D "Application", 0x6A "Num *", 0x6B "Num +", 0x6D "Num -",
// 0x6E "Num Del", 0x6F "Num /", 0x90 "Num Lock", 0x91 "Scroll Lock", 0xA0 "Shift", 0xA1 "Right Shift",
// 0xA2 "Ctrl", 0xA3 "Right Ctrl", 0xBA ";", 0xBB "=", 0xBC ",", 0xBD "-", 0xBE ".", 0xBF "/", 0xC0 "`",
// 0xDB "[", 0xDC "\", 0xDD "]", 0xDE "'". 0xA0 and 0xA2 repeat the names of 0x10 and 0x11, as a real
// keyboard does. Every other code has no name. Tests may change any entry.
class SimKeyNames final : public KeyNames {
public:
    SimKeyNames();

    [[nodiscard]] std::optional<std::string> displayName(std::uint8_t virtualKey) const override;

    void setName(std::uint8_t virtualKey, std::string name) { names_[virtualKey] = std::move(name); }
    void removeName(std::uint8_t virtualKey) { names_.erase(virtualKey); }
    void clear() { names_.clear(); }

private:
    std::map<std::uint8_t, std::string> names_;
};

} // namespace cellaro::sim
