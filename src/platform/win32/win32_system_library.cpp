// Run-time loading of system DLLs from the system directory.
#include "platform/win32/win32_system_library.h"

#include <string>

namespace cellaro::win32 {

ScopedLibrary loadSystemLibrary(const wchar_t* fileName) {
    ScopedLibrary library(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (library || ::GetLastError() != ERROR_INVALID_PARAMETER) {
        return library;
    }
    // Systems without the search flags reject them as an invalid parameter: spell out the full
    // path in the system directory instead.
    wchar_t directory[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return library;
    }
    std::wstring path(directory, length);
    path += L'\\';
    path += fileName;
    return ScopedLibrary(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace cellaro::win32
