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
    for (const SchemePreset& preset : kSchemePresets) {
        const std::string path = schemeFilePath(files_, preset.index);
        if (files_.exists(path)) {
            // A file that can't be deleted stays; the reset goes on.
            static_cast<void>(files_.remove(path));
        }
    }
    index_ = kDefaultSchemeIndex;
    setLabelFor(index_);
    fields_ = BoardColours{};
    return SchemeChange{true, std::nullopt};
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
    return std::move(read.error);
}

FileWriteResult ColourSchemeEditor::saveChooser() {
    return writeColourChooserFile(files_, chooser_);
}

Bitmap ColourSchemeEditor::preview(int across, int down) const {
    return drawSchemePreview(fields_, across, down);
}

} // namespace cellaro
