// Entry point of cellaro.exe: locks down DLL loading, builds the ports over the Windows API, starts
// the program on them and runs the message loop until the program quits.
#include "app/ports.h"
#include "app/program.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_display_power.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_form_host.h"
#include "platform/win32/win32_hot_keys.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_mail.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen_capture.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_system_state.h"

#include <windows.h>

namespace {

// DLLs are loaded from the system directory only, never from the program's directory or the current
// one, before anything else can load one. SetDefaultDllDirectories is looked up by name because
// systems without the loader update lack it.
void restrictDllSearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDllDirectories =
        cellaro::win32::procAddress<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr) {
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    ::SetDllDirectoryW(L""); // takes the current directory out of the search either way
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    restrictDllSearch();

    cellaro::win32::Win32FileSystem files;
    cellaro::win32::Win32Desktop desktop;
    cellaro::win32::Win32AutostartRegistry autostart;
    cellaro::win32::Win32EventLoop eventLoop;
    cellaro::win32::Win32KeyNames keyNames;
    cellaro::win32::Win32FormHost formHost;
    cellaro::win32::Win32Shell shell;
    cellaro::win32::Win32SystemState systemState;
    cellaro::win32::Win32ScreenCapture screen;
    cellaro::win32::Win32DisplayPower displayPower;
    cellaro::win32::Win32HotKeys hotKeys;
    cellaro::win32::Win32MailSender mail;
    cellaro::win32::Win32Printer printer;
    cellaro::win32::Win32Clock clock;

    const cellaro::Ports ports{desktop,     files,  autostart,    eventLoop, keyNames, formHost, shell,
                               systemState, screen, displayPower, hotKeys,   mail,     printer,  clock};
    cellaro::Program program(ports);
    return eventLoop.run();
}
