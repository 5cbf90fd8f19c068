// The Grids page's colour scheme editing: fields, label, index, preset slots and the chooser state.
#include "logic/schemes/colour_scheme_editor.h"

#include "logic/schemes/scheme_presets.h"
#include "logic/schemes/scheme_preview.h"

#include <utility>

namespace cellaro {

namespace {

const ColourFieldInfo& fieldInfo(SchemeColour field) {
    for (const ColourFieldInfo& info : kColourFields) {
        if (info.field == field) {
            return info;
        }
    }
    return kColourFields.front();
}

} // namespace

ColourSchemeEditor::ColourSchemeEditor(FileSystem& files)
    : files_(files), label_(kInitialSchemeLabel), index_(kDefaultSchemeIndex) {
    for (const SchemePreset& preset : kSchemePresets) {
        slot(preset.index) = preset.colours;
    }
}

Colour ColourSchemeEditor::field(SchemeColour field) const {
    return fields_.*fieldInfo(field).colour;
}

const BoardColours& ColourSchemeEditor::slotColours(int index) const {
    return slots_.at(static_cast<std::size_t>(index - 1));
}

BoardColours& ColourSchemeEditor::slot(int index) {
    return slots_.at(static_cast<std::size_t>(index - 1));
}

void ColourSchemeEditor::setLabelFor(int index) {
    if (std::optional<std::string> text = schemeLabelText(index)) {
        label_ = std::move(*text);
    }
}

void ColourSchemeEditor::loadIndex(int index) {
    index_ = index;
    setLabelFor(index);
}

void ColourSchemeEditor::showApplied(const BoardColours& applied, int appliedIndex) {
    fields_ = applied;
    setLabelFor(appliedIndex);
}

const ColourChooserState& ColourSchemeEditor::beginColourChoice(SchemeColour field) {
    chooser_.colour = this->field(field);
    return chooser_;
}

SchemeChange ColourSchemeEditor::colourChosen(SchemeColour field, const ColourChooserState& dialog) {
    chooser_ = dialog;
    fields_.*fieldInfo(field).colour = dialog.colour;
    index_ = kModifiedSchemeIndex;
    setLabelFor(index_);
    return SchemeChange{true, std::nullopt};
}

void ColourSchemeEditor::colourChoiceCancelled(const ColourChooserState& dialog) {
    chooser_.customColours = dialog.customColours;
}

SchemeChange ColourSchemeEditor::applyPreset(int index) {
    const SchemePreset* preset = findSchemePreset(index);
    if (preset == nullptr) {
        return {};
    }
    // The file is only looked at when it exists: a missing one means the built-in colours, silently.
    if (files_.exists(schemeFilePath(files_, index))) {
        StoredFileRead<BoardColours> read = readSchemeFile(files_, index);
        using Status = StoredFileRead<BoardColours>::Status;
        if (read.status == Status::Error) {
            fields_ = slot(index);
            return SchemeChange{false, std::move(read.error)};
        }
        if (read.status == Status::Ok) {
            slot(index) = read.value;
            fields_ = read.value;
        } else {
            fields_ = preset->colours; // deleted between the two looks
        }
    } else {
        fields_ = preset->colours;
    }
    index_ = index;
    setLabelFor(index);
    return SchemeChange{true, std::nullopt};
}

SchemeChange ColourSchemeEditor::savePreset(int index) {
    if (findSchemePreset(index) == nullptr) {
        return {};
    }
    slot(index) = fields_;
    FileWriteResult written = writeSchemeFile(files_, index, fields_);
    if (!written.ok) {
        return SchemeChange{false, std::move(written.error)};
    }
    return {};
}

SchemeChange ColourSchemeEditor::resetAll() {
    resetFields();
    SchemeChange change = deleteSavedSchemes();
    change.redrawPreview = true;
    return change;
}

void ColourSchemeEditor::resetFields() {
    index_ = kDefaultSchemeIndex;
    setLabelFor(index_);
    fields_ = BoardColours{};
}

SchemeChange ColourSchemeEditor::deleteSavedSchemes() {
    std::string kept;
    for (const SchemePreset& preset : kSchemePresets) {
        const std::string path = schemeFilePath(files_, preset.index);
        // A file that can't be deleted stays, and is told of; the reset goes on.
        if (files_.exists(path) && !files_.remove(path)) {
            kept += "\r\n" + path;
        }
    }
    if (!kept.empty()) {
        return SchemeChange{false,
                            "Cellaro could not delete these saved colour schemes, so they stay:" + kept};
    }
    return {};
}

std::optional<std::string> ColourSchemeEditor::restoreChooser() {
    StoredFileRead<ColourChooserState> read = readColourChooserFile(files_);
    switch (read.status) {
    case StoredFileRead<ColourChooserState>::Status::Ok:
        chooser_ = read.value;
        return std::nullopt;
    case StoredFileRead<ColourChooserState>::Status::Missing:
        return std::nullopt;
    case StoredFileRead<ColourChooserState>::Status::Error:
        break;
    }
    if (!read.unusable) {
        return std::move(read.error); // unreadable for now: it stays, and is replaced at the next close
    }
    // A file that will never be read is put aside under another name, so that it is told once and
    // not at every start, and nothing of it is lost.
    const std::string path = colourChooserFilePath(files_);
    const std::string aside = path + std::string(kSetAsideSuffix);
    if (files_.rename(path, aside)) {
        return read.error + "\r\n\r\nIt was kept as " + aside +
               ", and the colour chooser starts with its own colours.";
    }
    return read.error + "\r\n\r\nThe colour chooser starts with its own colours.";
}

FileWriteResult ColourSchemeEditor::saveChooser() {
    return writeColourChooserFile(files_, chooser_);
}

Bitmap ColourSchemeEditor::preview(int across, int down) const {
    return drawSchemePreview(fields_, across, down);
}

} // namespace cellaro
