// Whole-file reads and atomic whole-file writes over the Windows API.
#include "platform/win32/win32_files.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace cellaro::win32 {

namespace {

constexpr DWORD kMaxModulePathLength = 32768;
constexpr DWORD kReadChunk = 1U << 16U;
constexpr DWORD kWriteChunk = 1U << 20U;
// Tries at finding a temporary name no other writer holds.
constexpr int kTemporaryNameAttempts = 8;
// Another instance reading the file at that moment makes the rename fail for a while; it is tried
// again this many times, this far apart, before the write counts as failed.
constexpr int kRenameAttempts = 10;
constexpr DWORD kRenameRetryMs = 20;

FileWriteResult writeFailure(DWORD errorCode) {
    return FileWriteResult{false, systemErrorText(errorCode)};
}

// Writes every byte; false (with the system's last error set) when any write fails or falls short.
bool writeAll(HANDLE file, const std::string& data) {
    std::size_t offset = 0;
    while (offset < data.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - offset, kWriteChunk));
        DWORD written = 0;
        if (::WriteFile(file, data.data() + offset, chunk, &written, nullptr) == 0) {
            return false;
        }
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        offset += written;
    }
    return true;
}

// Replaces the content of an open file in place. Reserving the new length first makes a full disk
// fail before the old content is touched.
bool overwriteInPlace(HANDLE file, const std::string& data) {
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(data.size());
    LARGE_INTEGER start{};
    LARGE_INTEGER current{};
    ::GetFileSizeEx(file, &current);
    if (size.QuadPart > current.QuadPart &&
        (::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) == 0 || ::SetEndOfFile(file) == 0)) {
        return false;
    }
    return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0 && writeAll(file, data) &&
           ::SetEndOfFile(file) != 0 && ::FlushFileBuffers(file) != 0;
}

// Renames the finished temporary file over the target, waiting out brief readers.
bool replaceWith(const std::wstring& temporaryPath, const std::wstring& targetPath) {
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporaryPath.c_str(), targetPath.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return true;
        }
        const DWORD error = ::GetLastError();
        if (attempt == kRenameAttempts ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            ::SetLastError(error);
            return false;
        }
        ::Sleep(kRenameRetryMs);
    }
}

} // namespace

std::string directoryOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string{} : path.substr(0, separator + 1);
}

Win32FileSystem::Win32FileSystem() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const auto capacity = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0) {
            return;
        }
        // A full buffer means the path was cut short (long paths exceed MAX_PATH).
        if (length < capacity) {
            buffer.resize(length);
            break;
        }
        if (capacity >= kMaxModulePathLength) {
            return;
        }
        buffer.assign(static_cast<std::size_t>(capacity) * 2, L'\0');
    }
    programPath_ = toUtf8(buffer);
    programDirectory_ = directoryOf(programPath_);
    widePath_ = std::move(buffer);
}

std::optional<FileVersion> Win32FileSystem::programVersion() const {
    if (widePath_.empty()) {
        return std::nullopt;
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(widePath_.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> data(size);
    if (::GetFileVersionInfoW(widePath_.c_str(), 0, size, data.data()) == 0) {
        return std::nullopt;
    }
    void* block = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(data.data(), L"\\", &block, &length) == 0 || block == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    FileVersion version;
    version.parts = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                     HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    return version;
}

FileReadResult Win32FileSystem::read(const std::string& path) const {
    FileReadResult result;
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        result.status = FileReadResult::Status::Error;
        result.error = systemErrorText(ERROR_INVALID_NAME);
        return result;
    }
    const ScopedHandle file(::CreateFileW(widePath->c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            result.status = FileReadResult::Status::NotFound;
        } else {
            result.status = FileReadResult::Status::Error;
            result.error = systemErrorText(error);
        }
        return result;
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) != 0 && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < result.data.max_size()) {
        result.data.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    // Read to the end rather than trusting the size: another instance may be rewriting the file.
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        DWORD got = 0;
        if (::ReadFile(file.get(), chunk.data(), kReadChunk, &got, nullptr) == 0) {
            result.status = FileReadResult::Status::Error;
            result.error = systemErrorText(::GetLastError());
            result.data.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.data.append(chunk.data(), got);
    }
    result.status = FileReadResult::Status::Ok;
    return result;
}

FileWriteResult Win32FileSystem::writeAtomic(const std::string& path, const std::string& data) {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return writeFailure(ERROR_INVALID_NAME);
    }

    // Several instances may write the same file at once: the process id and a counter keep their
    // temporary files apart, and CREATE_NEW never takes over somebody else's.
    std::wstring temporaryPath;
    ScopedHandle temporary;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !temporary; ++attempt) {
        temporaryPath = *widePath + L".tmp-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++temporaryCounter_);
        temporary.reset(::CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = temporary ? ERROR_SUCCESS : ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }

    if (!temporary) {
        // No temporary file here (a directory where only the file itself may be written, say): write
        // the target in place, which is still checked at every step.
        const ScopedHandle target(::CreateFileW(widePath->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target) {
            return writeFailure(::GetLastError());
        }
        if (!overwriteInPlace(target.get(), data)) {
            return writeFailure(::GetLastError());
        }
        return FileWriteResult{true, {}};
    }

    const auto fail = [&temporaryPath, &temporary](DWORD error) {
        temporary.reset();
        ::DeleteFileW(temporaryPath.c_str());
        return writeFailure(error);
    };
    if (!writeAll(temporary.get(), data) || ::FlushFileBuffers(temporary.get()) == 0) {
        return fail(::GetLastError());
    }
    if (::CloseHandle(temporary.release()) == 0) {
        return fail(::GetLastError());
    }
    if (!replaceWith(temporaryPath, *widePath)) {
        return fail(::GetLastError());
    }
    return FileWriteResult{true, {}};
}

bool Win32FileSystem::exists(const std::string& path) const {
    const auto widePath = toWideName(path);
    if (!widePath || widePath->empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(widePath->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::remove(const std::string& path) {
    const auto widePath = toWideName(path);
    return widePath && !widePath->empty() && ::DeleteFileW(widePath->c_str()) != 0;
}

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
    const auto wideFrom = toWideName(from);
    const auto wideTo = toWideName(to);
    return wideFrom && wideTo && !wideFrom->empty() && !wideTo->empty() &&
           ::MoveFileExW(wideFrom->c_str(), wideTo->c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

} // namespace cellaro::win32
