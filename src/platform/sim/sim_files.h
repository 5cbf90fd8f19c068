// The simulated file system: files held in memory, failures injected by tests, writes counted.
#pragma once

#include "platform/files.h"

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
    [[nodiscard]] std::optional<FileVersion> programVersion() const override { return programVersion_; }
    [[nodiscard]] FileReadResult read(const std::string& path) const override;
    FileWriteResult writeAtomic(const std::string& path, const std::string& data) override;
    [[nodiscard]] bool exists(const std::string& path) const override;
    bool remove(const std::string& path) override;
    // Fails like a write to `to` would.
    bool rename(const std::string& from, const std::string& to) override;

    void setProgramPath(std::string path) { programPath_ = std::move(path); }
    // The version the executable's resource holds (none by default).
    void setProgramVersion(std::optional<FileVersion> version) { programVersion_ = version; }

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
    std::optional<FileVersion> programVersion_;
    std::map<std::string, std::string, PathLess> files_;
    std::map<std::string, std::string, PathLess> readFailures_;
    std::map<std::string, std::string, PathLess> writeFailures_;
    bool temporaryFilesUnavailable_ = false;
    int writeCount_ = 0;
    int failedWriteCount_ = 0;
    int inPlaceWriteCount_ = 0;
};

} // namespace cellaro::sim
