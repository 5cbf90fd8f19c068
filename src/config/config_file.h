// One opened configuration file (CRO.cfg beside the executable): read whole on construction,
// typed reads and writes by section and key, and a whole-file write-back. Nothing is kept between
// accesses: every reader and writer constructs its own ConfigFile and drops it afterwards.
#pragma once

#include "config/config_keys.h"
#include "config/ini_document.h"
#include "platform/files.h"

#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

// The configuration file's path: the program directory (with its separator) followed by CRO.cfg.
[[nodiscard]] std::string configPath(const FileSystem& files);

// Reads an integer value: more than two characters starting with "0x" or "0X" are hexadecimal (at
// most 0xFFFFFFFF, taken as the 32-bit pattern, so 0xFFFFFFFF is -1); anything else is decimal with
// an optional sign and must fit in 32 bits. Nothing for an empty, malformed ("12abc", "0x", "0x-1")
// or out-of-range value.
[[nodiscard]] std::optional<int> parseConfigInteger(std::string_view text);

class ConfigFile {
public:
    // Opens configPath(files). A missing file is an empty document; so is an unreadable one, but
    // then the read error is remembered and save() refuses to overwrite the file.
    explicit ConfigFile(FileSystem& files);
    ConfigFile(FileSystem& files, std::string path);

    ConfigFile(const ConfigFile&) = delete;
    ConfigFile& operator=(const ConfigFile&) = delete;
    ConfigFile(ConfigFile&&) = delete;
    ConfigFile& operator=(ConfigFile&&) = delete;
    ~ConfigFile() = default;

    // Missing key or unparsable value: the default.
    [[nodiscard]] int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // An integer read with the default 1 or 0; any non-zero value is true.
    [[nodiscard]] bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // A key present with an empty value reads as the empty text, not as the default.
    [[nodiscard]] std::string readText(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const;

    // Writes change the document in memory only; save() puts it on disk.
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value); // 1 or 0
    void writeText(std::string_view section, std::string_view key, std::string_view value);

    // The same, addressed by the key constants of config_keys.h with their defaults.
    [[nodiscard]] int readInteger(const config::IntegerKey& key) const;
    [[nodiscard]] bool readBool(const config::BoolKey& key) const;
    [[nodiscard]] std::string readText(const config::TextKey& key) const;
    void writeInteger(const config::IntegerKey& key, int value);
    void writeBool(const config::BoolKey& key, bool value);
    void writeText(const config::TextKey& key, std::string_view value);

    // Writes the whole document back (creating the file if needed). On failure the file is left as
    // it was and the result carries the system's error text; the caller decides what to show. When
    // the file could not be read on opening, nothing is written (that would replace the user's
    // settings with only the keys written since) and the read error is returned.
    [[nodiscard]] FileWriteResult save();

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] bool readFailed() const { return readError_.has_value(); }
    // The file was not there when it was opened.
    [[nodiscard]] bool missing() const { return missing_; }
    // The system's reason when the read failed, else empty.
    [[nodiscard]] std::string readError() const { return readError_.value_or(std::string()); }
    [[nodiscard]] const IniDocument& document() const { return document_; }

private:
    FileSystem& files_;
    std::string path_;
    IniDocument document_;
    std::optional<std::string> readError_;
    bool missing_ = false;
};

} // namespace cellaro
