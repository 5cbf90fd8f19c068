// The file port over the Windows API: whole-file reads and atomic replacement.
#pragma once

#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cellaro::win32 {

class Win32FileSystem final : public FileSystem {
public:
    // Reads the executable's path once: the program directory is fixed at start-up.
    Win32FileSystem();
    ~Win32FileSystem() override = default;

    [[nodiscard]] std::string programPath() const override { return programPath_; }
    [[nodiscard]] std::string programDirectory() const override { return programDirectory_; }
    // Read from the executable's file on each call (GetFileVersionInfoW and VerQueryValueW).
    [[nodiscard]] std::optional<FileVersion> programVersion() const override;

    [[nodiscard]] FileReadResult read(const std::string& path) const override;
    FileWriteResult writeAtomic(const std::string& path, const std::string& data) override;
    // True for an existing file; a directory of that name does not count.
    [[nodiscard]] bool exists(const std::string& path) const override;
    // True when the file was there and is deleted.
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;

private:
    std::string programPath_;
    std::string programDirectory_;
    std::wstring widePath_;
    // Makes each temporary file name of this process unique.
    std::uint32_t temporaryCounter_ = 0;
};

// The directory part of a path, up to and including the last separator; empty when it has none.
[[nodiscard]] std::string directoryOf(const std::string& path);

} // namespace cellaro::win32
