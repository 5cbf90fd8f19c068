// The printer port over the system's print setup dialog and a printer device context.
#pragma once

#include "platform/printer.h"
#include "platform/win32/win32_handles.h"

namespace cellaro::win32 {

class Win32Printer final : public Printer {
public:
    Win32Printer() = default;
    Win32Printer(const Win32Printer&) = delete;
    Win32Printer& operator=(const Win32Printer&) = delete;
    Win32Printer(Win32Printer&&) = delete;
    Win32Printer& operator=(Win32Printer&&) = delete;
    ~Win32Printer() override = default;

    // The print setup dialog (PrintDlgW with PD_PRINTSETUP), returning the chosen printer's device
    // context. The device mode and names are kept, so the dialog opens on the last choice.
    PrinterChoice choosePrinter(WindowId owner) override;
    // One document (StartDoc ... EndDoc), the lines drawn with TextOut in the device's default
    // typeface at the size given for the device's vertical resolution. Any failing call aborts the
    // document and is a device error.
    PrintResult printText(const std::vector<std::string>& lines, int fontPoints) override;

private:
    ScopedGlobalMemory devMode_;
    ScopedGlobalMemory devNames_;
    ScopedMemoryDc printerDc_;
};

} // namespace cellaro::win32
