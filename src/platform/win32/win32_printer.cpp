// Printing a text document: the print setup dialog, then the lines laid out on the printer's pages
// and drawn with GDI.
#include "platform/win32/win32_printer.h"

#include "core/printed_pages.h"
#include "core/product.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <string>
#include <utility>

namespace cellaro::win32 {

namespace {

constexpr int kPointsPerInch = 72;

// Draws the laid-out pages as one document; false as soon as a call fails, with the document
// aborted.
bool drawDocument(HDC device, const std::vector<PrintedPage>& pages) {
    const std::wstring name = toWide(kProductName);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = name.c_str();
    if (::StartDocW(device, &document) <= 0) {
        return false;
    }
    for (const PrintedPage& page : pages) {
        bool drawn = ::StartPage(device) > 0;
        for (const PlacedText& piece : page) {
            if (!drawn) {
                break;
            }
            const std::wstring text = toWide(piece.text);
            drawn = ::TextOutW(device, piece.x, piece.y, text.data(), static_cast<int>(text.size())) != FALSE;
        }
        if (!drawn || ::EndPage(device) <= 0) {
            ::AbortDoc(device);
            return false;
        }
    }
    return ::EndDoc(device) > 0;
}

} // namespace

PrinterChoice Win32Printer::choosePrinter(WindowId owner) {
    printerDc_.reset();
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = toHandle(owner);
    dialog.hDevMode = devMode_.release();
    dialog.hDevNames = devNames_.release();
    dialog.Flags = PD_PRINTSETUP | PD_RETURNDC;
    const BOOL confirmed = ::PrintDlgW(&dialog);
    // The dialog may have replaced the blocks it was given; what it hands back is ours either way.
    devMode_.reset(dialog.hDevMode);
    devNames_.reset(dialog.hDevNames);
    if (confirmed == FALSE) {
        return ::CommDlgExtendedError() == 0 ? PrinterChoice::Cancelled : PrinterChoice::Unavailable;
    }
    printerDc_.reset(dialog.hDC);
    return printerDc_ ? PrinterChoice::Chosen : PrinterChoice::Unavailable;
}

PrintResult Win32Printer::printText(const std::vector<std::string>& lines, int fontPoints) {
    const ScopedMemoryDc printer = std::move(printerDc_);
    if (!printer) {
        return PrintResult::DeviceError;
    }
    const HDC device = printer.get();

    // The device's own typeface, only the size set.
    LOGFONTW font{};
    ::GetTextFaceW(device, LF_FACESIZE, static_cast<LPWSTR>(font.lfFaceName));
    font.lfHeight = -::MulDiv(fontPoints, ::GetDeviceCaps(device, LOGPIXELSY), kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const ScopedGdiObject fontObject(::CreateFontIndirectW(&font));
    if (!fontObject) {
        return PrintResult::DeviceError;
    }
    const ScopedSelection selection(device, fontObject.get());
    TEXTMETRICW metrics{};
    if (!selection.selected() || ::GetTextMetricsW(device, &metrics) == FALSE) {
        return PrintResult::DeviceError;
    }

    const PrintedPageMetrics page{::GetDeviceCaps(device, HORZRES), ::GetDeviceCaps(device, VERTRES),
                                  static_cast<int>(metrics.tmHeight)};
    const auto measure = [device, &metrics](std::string_view text) {
        const std::wstring wide = toWide(text);
        SIZE size{};
        if (::GetTextExtentPoint32W(device, wide.data(), static_cast<int>(wide.size()), &size) == FALSE) {
            return TextExtent{0, static_cast<int>(metrics.tmHeight)};
        }
        return TextExtent{static_cast<int>(size.cx), static_cast<int>(size.cy)};
    };
    return drawDocument(device, layOutTextPages(lines, page, measure)) ? PrintResult::Printed
                                                                       : PrintResult::DeviceError;
}

} // namespace cellaro::win32
