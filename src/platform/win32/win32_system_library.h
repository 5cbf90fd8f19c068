// Loading system DLLs at run time from the system directory only, and typed access to their
// functions.
#pragma once

#include "platform/win32/win32_handles.h"

#include <windows.h>

namespace cellaro::win32 {

// Loads a DLL from the system directory, never from the program's directory or the current one
// (where a planted copy could be waiting). Invalid when the DLL is not there.
ScopedLibrary loadSystemLibrary(const wchar_t* fileName);

// The named export of a module as a typed function pointer, or null.
template <typename Function> Function procAddress(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // Going through void(*)() keeps GCC's -Wcast-function-type quiet: the real signature is ours to
    // state, as with any GetProcAddress result.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace cellaro::win32
