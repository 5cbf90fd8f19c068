// The colour scheme as the Grids page of the settings window edits it: the five colour fields, the
// scheme label and the current scheme index, the ten preset slots with their saved files, and the
// colour chooser's state kept in color.cld. The settings window shows what this holds and calls it
// for the user's actions; nothing here reaches the applied colours, which change only at OK.
#pragma once

#include "config/board_colours.h"
#include "config/scheme_file.h"
#include "core/geometry.h"
#include "pixels/bitmap.h"
#include "platform/files.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

enum class SchemeColour { Background, GridBackground, Grid, RangeSelection, ResizingWindow };

struct ColourFieldInfo {
    SchemeColour field;
    std::string_view label;   // the label left of the field
    std::string_view control; // the field's name
    Colour BoardColours::*colour;
};

// Top to bottom, as the Grids page shows them under "Click on Color to change the color".
inline constexpr std::array<ColourFieldInfo, 5> kColourFields{{
    {SchemeColour::Background, "Background Color", "PMainFormcolor", &BoardColours::background},
    {SchemeColour::GridBackground, "Grid Background Color", "PozadjeMreze", &BoardColours::gridBackground},
    {SchemeColour::Grid, "Grid Color", "PColorLeftGrid", &BoardColours::grid},
    {SchemeColour::RangeSelection, "Range Selection Color", "PColorCellLeft", &BoardColours::rangeSelection},
    {SchemeColour::ResizingWindow, "Resizing Window Color", "MoveWindowColor", &BoardColours::resizingWindow},
}};

inline constexpr std::string_view kColourFieldsHint = "Click on Color to change the color";

// What an action asks of the settings window afterwards.
struct SchemeChange {
    bool redrawPreview = false;
    std::optional<std::string> error; // to be shown in the error box
};

class ColourSchemeEditor {
public:
    // Scheme files and color.cld are read and written in the program directory of `files`.
    explicit ColourSchemeEditor(FileSystem& files);

    [[nodiscard]] const BoardColours& fields() const { return fields_; }
    [[nodiscard]] Colour field(SchemeColour field) const;
    [[nodiscard]] const std::string& label() const { return label_; }
    [[nodiscard]] int index() const { return index_; }
    [[nodiscard]] const ColourChooserState& chooser() const { return chooser_; }
    // The colours kept for a preset slot (1..10) for its next save or failed read. A slot starts
    // with its preset's built-in colours and takes the colours of every file read or saved for it.
    [[nodiscard]] const BoardColours& slotColours(int index) const;

    // loadSettings: the current index becomes the stored one and the label shows its text (an index
    // without a text leaves the label as it is).
    void loadIndex(int index);
    // Opening the window: the fields take the applied colours and the label the applied index's text.
    void showApplied(const BoardColours& applied, int appliedIndex);

    // A click on a colour field or its label: the chooser, preset to the field's colour, to be shown.
    const ColourChooserState& beginColourChoice(SchemeColour field);
    // The chooser was confirmed with this state: the field takes its colour (even the same one), the
    // label reads "Modified Color scheme" and the index becomes 0.
    SchemeChange colourChosen(SchemeColour field, const ColourChooserState& dialog);
    // The chooser was cancelled: nothing of the scheme changes; custom colours the user defined in
    // it meanwhile are kept.
    void colourChoiceCancelled(const ColourChooserState& dialog);
    // The chooser was confirmed for something other than a field (the preview window's colour): it
    // keeps that state, so its colour is the one it shows next and the one OK passes on.
    void chooserConfirmed(const ColourChooserState& dialog) { chooser_ = dialog; }

    // Scheme button N: the colours of the slot's file if there is one, else the built-in ones; the
    // label names the preset and the index becomes N. A file that can't be read or isn't valid is
    // reported: the fields take the slot's kept colours, and the label, the index and the preview stay.
    SchemeChange applyPreset(int index);
    // Save button N: the slot keeps the fields' colours and its file is replaced by them. Neither the
    // label nor the index changes; a write that fails is reported.
    SchemeChange savePreset(int index);
    // Reset all, once confirmed: deletes each scheme file that exists (one that can't be deleted
    // stays), then the default colours, index 20 and "Default Color scheme".
    SchemeChange resetAll();
    // Its two halves: the default colours, index 20 and "Default Color scheme"; and each scheme
    // file that exists deleted (one that can't be deleted stays, and the error names it).
    void resetFields();
    SchemeChange deleteSavedSchemes();

    // What a color.cld that is not valid is renamed to (color.cld.bad).
    static constexpr std::string_view kSetAsideSuffix = ".bad";

    // At the window's creation: the chooser state from color.cld when that exists. An error message
    // when it can't be read or isn't valid; the chooser then keeps its state. A file that is not
    // valid is renamed aside (kSetAsideSuffix), so the next start finds none.
    std::optional<std::string> restoreChooser();
    // At every close of the window: color.cld replaced by the chooser's state.
    [[nodiscard]] FileWriteResult saveChooser();

    // RisiPrewMrezo: the grid preview of the fields with `across` x `down` cells.
    [[nodiscard]] Bitmap preview(int across, int down) const;

private:
    [[nodiscard]] BoardColours& slot(int index);
    void setLabelFor(int index);

    FileSystem& files_;
    BoardColours fields_;
    std::array<BoardColours, kSchemeSlotCount> slots_;
    std::string label_;
    int index_;
    ColourChooserState chooser_;
};

} // namespace cellaro
