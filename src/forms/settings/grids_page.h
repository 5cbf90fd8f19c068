// The Grids page of the settings window: the Rows and Columns editors, the five colour fields with
// their labels, the scheme label, the grid preview, the "Color Scheme" box with the ten presets and
// their save buttons, and the auto-hide check box.
#pragma once

#include "core/error_report.h"
#include "logic/schemes/colour_scheme_editor.h"

#include <array>
#include <functional>

namespace cellaro {

class CheckBox;
class ColourField;
class EventLoop;
class GradientButton;
class Image;
class Label;
class Page;
class Panel;
class Shell;
class SpinEdit;

class GridsPage {
public:
    static constexpr int kMinimumCount = 1;
    static constexpr int kMaximumCount = 10;

    GridsPage(Page& page, ColourSchemeEditor& schemes, Shell& shell, EventLoop& loop,
              ErrorReport reportError);

    // The fields, the scheme label and the preview as the scheme editor holds them.
    void showScheme();
    // RisiPrewMrezo
    void redrawPreview();

    // "Rows" gives the cells across, "Columns" the cells down.
    [[nodiscard]] int across() const;
    [[nodiscard]] int down() const;
    void setCounts(int across, int down);
    // A number typed into either editor and not settled yet (the editor still has the focus) is
    // taken, bounded to 1..10.
    void commitEditors();
    [[nodiscard]] bool autoHide() const;
    void setAutoHide(bool on);

    // A click on a colour field or its label.
    void chooseColour(SchemeColour colour);
    void applyPreset(int index);
    void savePreset(int index);

    [[nodiscard]] SpinEdit& rowsEditor() const { return *rows_; }

    // Raised after the user changed the Rows or Columns editor.
    std::function<void()> onCountsChanged;

private:
    void buildColours(Page& page);
    void buildSchemeBox(Page& page);
    void report(const SchemeChange& change);

    ColourSchemeEditor& schemes_;
    Shell& shell_;
    ErrorReport reportError_;
    SpinEdit* rows_ = nullptr;
    SpinEdit* columns_ = nullptr;
    Label* schemeLabel_ = nullptr;
    std::array<ColourField*, kColourFields.size()> fields_{};
    Panel* previewPanel_ = nullptr;
    Image* preview_ = nullptr;
    CheckBox* autoHide_ = nullptr;
};

} // namespace cellaro
