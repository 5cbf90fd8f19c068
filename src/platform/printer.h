// The printer port: the printer setup dialog, then one plain text document on the printer chosen
// there.
#pragma once

#include "core/geometry.h"

#include <string>
#include <vector>

namespace cellaro {

enum class PrinterChoice {
    Chosen,
    Cancelled,
    // The dialog could not be shown or failed (no printer installed, for one).
    Unavailable,
};

enum class PrintResult {
    Printed,
    // An input or output error of the print device; what was started is aborted.
    DeviceError,
};

class Printer {
public:
    Printer() = default;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    Printer(Printer&&) = delete;
    Printer& operator=(Printer&&) = delete;
    virtual ~Printer() = default;

    // The printer setup dialog, modal to the owner: the user chooses the printer and its settings.
    // The choice is kept for the next printText (and offered the next time the dialog opens).
    virtual PrinterChoice choosePrinter(WindowId owner) = 0;

    // Prints the UTF-8 lines as one text document on the chosen printer, in its default typeface
    // at this size, laid out as layOutTextPages does over the printable area. The choice is used
    // up: the next document needs the dialog again. Without a choice it is a device error.
    virtual PrintResult printText(const std::vector<std::string>& lines, int fontPoints) = 0;
};

} // namespace cellaro
