// The file port: whole-file reads and atomic whole-file writes in the program directory, and the
// running executable's own version.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace cellaro {

struct FileReadResult {
    enum class Status { Ok, NotFound, Error };
    Status status = Status::NotFound;
    std::string data;  // the bytes, unchanged
    std::string error; // the system's error text when status is Error
    [[nodiscard]] bool ok() const { return status == Status::Ok; }
};

struct FileWriteResult {
    bool ok = false;
    std::string error; // the system's error text when not ok
};

// The four numbers of a file version (major, minor, release, build), as the fixed file-version
// field of a version resource holds them.
struct FileVersion {
    std::array<std::uint16_t, 4> parts{};

    // The numbers in decimal joined by ".", for example "2.0.1.189".
    [[nodiscard]] std::string text() const {
        std::string joined;
        for (const std::uint16_t part : parts) {
            if (!joined.empty()) {
                joined += '.';
            }
            joined += std::to_string(part);
        }
        return joined;
    }
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    FileSystem(FileSystem&&) = delete;
    FileSystem& operator=(FileSystem&&) = delete;
    virtual ~FileSystem() = default;

    // Full path of the running executable (UTF-8).
    [[nodiscard]] virtual std::string programPath() const = 0;
    // The directory of the running executable, with its trailing separator.
    [[nodiscard]] virtual std::string programDirectory() const = 0;
    // The file version in the running executable's version resource; nothing when it has none.
    [[nodiscard]] virtual std::optional<FileVersion> programVersion() const = 0;

    [[nodiscard]] virtual FileReadResult read(const std::string& path) const = 0;
    // Replaces the whole file: the bytes go to a temporary file beside it, are flushed, and the
    // temporary file is renamed over the target, so the target is either old or new, never half
    // written. Where no temporary file can be created the target is written in place. On failure
    // the target is left as it was and the system's error text is returned.
    virtual FileWriteResult writeAtomic(const std::string& path, const std::string& data) = 0;
    [[nodiscard]] virtual bool exists(const std::string& path) const = 0;
    virtual bool remove(const std::string& path) = 0;
    // Gives the file another name, replacing a file of that name; false when it can't.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
};

} // namespace cellaro
