// The simulated printer: answers the setup dialog as the test says, lays the text out on pages of
// a size the test sets, and records the documents it printed.
#pragma once

#include "core/printed_pages.h"
#include "core/utf8.h"
#include "platform/printer.h"

#include <string>
#include <string_view>
#include <vector>

namespace cellaro::sim {

struct PrintedDocument {
    int fontPoints = 0;
    std::vector<PrintedPage> pages;
};

// Text is measured as on a fixed-pitch device: every character one unit wide, every piece as many
// units tall as the font's points, the character height equal to the points too. So a page of
// width w holds w characters in a line, and at 12 points a line takes 14 units.
class SimPrinter final : public Printer {
public:
    // Roughly a sheet of paper in lines and characters at 12 points.
    static constexpr int kDefaultPageWidth = 80;
    static constexpr int kDefaultPageHeight = 66 * 14;

    void setPageSize(int width, int height) {
        width_ = width;
        height_ = height;
    }
    // The user cancels the setup dialog from now on (or confirms it again).
    void setUserCancels(bool cancels) { cancels_ = cancels; }
    // No printer is installed: the dialog fails.
    void setNoPrinter(bool none) { noPrinter_ = none; }
    // The device fails while printing the document: nothing is recorded.
    void setDeviceFails(bool fails) { deviceFails_ = fails; }

    [[nodiscard]] const std::vector<WindowId>& dialogOwners() const { return dialogOwners_; }
    [[nodiscard]] const std::vector<PrintedDocument>& documents() const { return documents_; }
    [[nodiscard]] int abortedDocuments() const { return aborted_; }

    [[nodiscard]] static TextExtent measure(std::string_view text, int fontPoints) {
        return TextExtent{static_cast<int>(utf8::characterCount(text)), fontPoints};
    }

    PrinterChoice choosePrinter(WindowId owner) override {
        dialogOwners_.push_back(owner);
        if (noPrinter_) {
            return PrinterChoice::Unavailable;
        }
        if (cancels_) {
            return PrinterChoice::Cancelled;
        }
        chosen_ = true;
        return PrinterChoice::Chosen;
    }

    PrintResult printText(const std::vector<std::string>& lines, int fontPoints) override {
        const bool chosen = chosen_;
        chosen_ = false;
        if (!chosen || deviceFails_) {
            ++aborted_;
            return PrintResult::DeviceError;
        }
        const PrintedPageMetrics page{width_, height_, fontPoints};
        documents_.push_back(
            PrintedDocument{fontPoints, layOutTextPages(lines, page, [fontPoints](std::string_view text) {
                                return measure(text, fontPoints);
                            })});
        return PrintResult::Printed;
    }

private:
    int width_ = kDefaultPageWidth;
    int height_ = kDefaultPageHeight;
    bool cancels_ = false;
    bool noPrinter_ = false;
    bool deviceFails_ = false;
    bool chosen_ = false;
    std::vector<WindowId> dialogOwners_;
    std::vector<PrintedDocument> documents_;
    int aborted_ = 0;
};

} // namespace cellaro::sim
