// The simulated file system and key names.
#include "platform/sim/sim_files.h"

#include "core/ascii.h"

#include <algorithm>

namespace cellaro::sim {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

bool PathLess::operator()(const std::string& a, const std::string& b) const {
    return ascii::lessIgnoringCase(a, b);
}

std::string SimFileSystem::programDirectory() const {
    const auto separator = std::find_if(programPath_.rbegin(), programPath_.rend(), isSeparator);
    return std::string(programPath_.begin(), separator.base());
}

FileReadResult SimFileSystem::read(const std::string& path) const {
    if (const auto failure = readFailures_.find(path); failure != readFailures_.end()) {
        return FileReadResult{FileReadResult::Status::Error, {}, failure->second};
    }
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return FileReadResult{FileReadResult::Status::NotFound, {}, {}};
    }
    return FileReadResult{FileReadResult::Status::Ok, found->second, {}};
}

const std::string* SimFileSystem::writeFailure(const std::string& path) const {
    for (const auto& [target, error] : writeFailures_) {
        const bool isDirectory = !target.empty() && isSeparator(target.back());
        if (isDirectory ? ascii::startsWithIgnoringCase(path, target)
                        : !PathLess{}(path, target) && !PathLess{}(target, path)) {
            return &error;
        }
    }
    return nullptr;
}

FileWriteResult SimFileSystem::writeAtomic(const std::string& path, const std::string& data) {
    if (const std::string* error = writeFailure(path)) {
        ++failedWriteCount_;
        return FileWriteResult{false, *error};
    }
    if (temporaryFilesUnavailable_) {
        ++inPlaceWriteCount_;
    }
    files_[path] = data;
    ++writeCount_;
    return FileWriteResult{true, {}};
}

bool SimFileSystem::exists(const std::string& path) const {
    return files_.contains(path);
}

bool SimFileSystem::remove(const std::string& path) {
    // A file that can't be written (a folder without write permission) can't be deleted either.
    return writeFailure(path) == nullptr && files_.erase(path) > 0;
}

bool SimFileSystem::rename(const std::string& from, const std::string& to) {
    const auto found = files_.find(from);
    if (found == files_.end() || writeFailure(to) != nullptr || writeFailure(from) != nullptr) {
        return false;
    }
    std::string data = std::move(found->second);
    files_.erase(found);
    files_[to] = std::move(data);
    return true;
}

std::optional<std::string> SimFileSystem::file(const std::string& path) const {
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void SimFileSystem::clearFailures() {
    readFailures_.clear();
    writeFailures_.clear();
    temporaryFilesUnavailable_ = false;
}

} // namespace cellaro::sim
