// One opened configuration file: whole-file read, typed access, whole-file atomic write-back.
#include "config/config_file.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace cellaro {

namespace {

std::optional<int> parseHexadecimal(std::string_view digits) {
    std::uint64_t value = 0;
    for (char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    // Two's complement pattern: conversion of an out-of-range unsigned value is defined in C++20.
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::optional<int> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                        : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

std::string configPath(const FileSystem& files) {
    return files.programDirectory() + std::string(config::kFileName);
}

std::optional<int> parseConfigInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return parseHexadecimal(text.substr(2));
    }
    return parseDecimal(text);
}

ConfigFile::ConfigFile(FileSystem& files) : ConfigFile(files, configPath(files)) {}

ConfigFile::ConfigFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {
    FileReadResult result = files_.read(path_);
    switch (result.status) {
    case FileReadResult::Status::Ok:
        document_ = IniDocument::parse(result.data);
        break;
    case FileReadResult::Status::NotFound:
        missing_ = true;
        break;
    case FileReadResult::Status::Error:
        readError_ = std::move(result.error);
        break;
    }
}

int ConfigFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> text = document_.value(section, key);
    if (!text) {
        return defaultValue;
    }
    return parseConfigInteger(*text).value_or(defaultValue);
}

bool ConfigFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::string ConfigFile::readText(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    std::optional<std::string> text = document_.value(section, key);
    return text ? std::move(*text) : std::string(defaultValue);
}

void ConfigFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeText(section, key, std::to_string(value));
}

void ConfigFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeText(section, key, value ? "1" : "0");
}

void ConfigFile::writeText(std::string_view section, std::string_view key, std::string_view value) {
    // The keys are the program's own constants, all of them writable, so a refusal cannot happen.
    static_cast<void>(document_.setValue(section, key, value));
}

int ConfigFile::readInteger(const config::IntegerKey& key) const {
    return readInteger(key.section, key.key, key.defaultValue);
}

bool ConfigFile::readBool(const config::BoolKey& key) const {
    return readBool(key.section, key.key, key.defaultValue);
}

std::string ConfigFile::readText(const config::TextKey& key) const {
    return readText(key.section, key.key, key.defaultValue);
}

void ConfigFile::writeInteger(const config::IntegerKey& key, int value) {
    writeInteger(key.section, key.key, value);
}

void ConfigFile::writeBool(const config::BoolKey& key, bool value) {
    writeBool(key.section, key.key, value);
}

void ConfigFile::writeText(const config::TextKey& key, std::string_view value) {
    writeText(key.section, key.key, value);
}

FileWriteResult ConfigFile::save() {
    if (readError_) {
        return FileWriteResult{false, *readError_};
    }
    return files_.writeAtomic(path_, document_.serialize());
}

} // namespace cellaro
