// The shared settings: read from CRO.cfg, changed by the user, written back only where known.
#include "config/settings.h"

#include <algorithm>

namespace cellaro {

namespace {

Colour readColour(const ConfigFile& file, const config::IntegerKey& key) {
    return Colour{static_cast<std::uint32_t>(file.readInteger(key))};
}

} // namespace

SettingsModel::SettingsModel(FileSystem& files, std::string configPath)
    : files_(files), path_(std::move(configPath)) {}

void SettingsModel::load() {
    const ConfigFile file = open();
    readFailed_ = file.readFailed();
    if (readFailed_) {
        return;
    }
    readLook(file);
    readOthers(file);
}

void SettingsModel::reloadLook() {
    if (readFailed_) {
        load();
        return;
    }
    readLook(open());
}

void SettingsModel::readLook(const ConfigFile& file) {
    if (file.readFailed()) {
        return;
    }
    if (!isKnownChange(Setting::Colours)) {
        colours_.background = readColour(file, config::kBackgroundColour);
        colours_.gridBackground = readColour(file, config::kGridBackgroundColour);
        colours_.grid = readColour(file, config::kGridColour);
        colours_.rangeSelection = readColour(file, config::kRangeSelectionColour);
        colours_.resizingWindow = readColour(file, config::kResizingWindowColour);
    }
    if (!isKnownChange(Setting::SchemeIndex)) {
        schemeIndex_ = file.readInteger(config::kColourSchemeIndex);
    }
    if (!isKnownChange(Setting::GridSize)) {
        // A hand-edited 0 would divide by zero and 50 would draw an unusable board: the counts stay
        // within what the settings window can set.
        columns_ = std::clamp(file.readInteger(config::kGridColumns), kMinGridCells, kMaxGridCells);
        rows_ = std::clamp(file.readInteger(config::kGridRows), kMinGridCells, kMaxGridCells);
    }
}

void SettingsModel::readOthers(const ConfigFile& file) {
    const auto unlessChanged = [this](Setting setting, auto read) {
        if (!isKnownChange(setting)) {
            read();
        }
    };
    unlessChanged(Setting::WindowTransparency,
                  [&] { windowTransparency_ = file.readInteger(config::kWindowTransparency); });
    unlessChanged(Setting::GridTransparency,
                  [&] { gridTransparency_ = file.readInteger(config::kFullScreenGridTransparency); });
    unlessChanged(Setting::AutoHide, [&] { autoHide_ = file.readBool(config::kAutoHide); });
    unlessChanged(Setting::MaxRowsColumns, [&] { maxRowsColumns_ = file.readBool(config::kMaxRowsColumns); });
    unlessChanged(Setting::SkipKillConfirmation,
                  [&] { skipKillConfirmation_ = file.readBool(config::kSkipKillConfirmation); });
    unlessChanged(Setting::LoadAtStartup, [&] {
        // 1 checks and 0 clears the item; any other value leaves it as it is.
        const int load = file.readInteger(config::kLoadAtStartup);
        if (load == 1 || load == 0) {
            loadAtStartup_ = load == 1;
        }
    });
}

bool SettingsModel::isKnownChange(Setting setting) const {
    return std::find(changedInThisRun_.begin(), changedInThisRun_.end(), setting) != changedInThisRun_.end();
}

bool SettingsModel::isKnown(Setting setting) const {
    return !readFailed_ || isKnownChange(setting);
}

void SettingsModel::changed(Setting setting) {
    if (!isKnownChange(setting)) {
        changedInThisRun_.push_back(setting);
    }
    for (const Listener& listener : listeners_) {
        listener(setting);
    }
}

template <typename T> void SettingsModel::assign(T& field, const T& value, Setting setting) {
    // While the file's value is unknown, even the value the setting already has is the user's word.
    if (field != value || !isKnown(setting)) {
        field = value;
        changed(setting);
    }
}

void SettingsModel::setGridSize(int columns, int rows) {
    columns = std::clamp(columns, kMinGridCells, kMaxGridCells);
    rows = std::clamp(rows, kMinGridCells, kMaxGridCells);
    if (columns != columns_ || rows != rows_ || !isKnown(Setting::GridSize)) {
        columns_ = columns;
        rows_ = rows;
        changed(Setting::GridSize);
    }
}

void SettingsModel::setColours(const BoardColours& colours) {
    assign(colours_, colours, Setting::Colours);
}

void SettingsModel::setSchemeIndex(int index) {
    assign(schemeIndex_, index, Setting::SchemeIndex);
}

void SettingsModel::setWindowTransparency(int position) {
    assign(windowTransparency_, position, Setting::WindowTransparency);
}

void SettingsModel::setGridTransparency(int position) {
    assign(gridTransparency_, position, Setting::GridTransparency);
}

void SettingsModel::setAutoHide(bool on) {
    assign(autoHide_, on, Setting::AutoHide);
}

void SettingsModel::setMaxRowsColumns(bool on) {
    assign(maxRowsColumns_, on, Setting::MaxRowsColumns);
}

void SettingsModel::setSkipKillConfirmation(bool skip) {
    assign(skipKillConfirmation_, skip, Setting::SkipKillConfirmation);
}

void SettingsModel::setLoadAtStartup(bool on) {
    // Choosing the item always counts as the user's word, even when the value was unknown.
    loadAtStartup_ = on;
    changed(Setting::LoadAtStartup);
}

void SettingsModel::writeTo(ConfigFile& file, std::initializer_list<Setting> settings) const {
    for (const Setting setting : settings) {
        if (!isKnown(setting)) {
            continue;
        }
        switch (setting) {
        case Setting::GridSize:
            file.writeInteger(config::kGridColumns, columns_);
            file.writeInteger(config::kGridRows, rows_);
            break;
        case Setting::Colours:
            file.writeInteger(config::kBackgroundColour, static_cast<int>(colours_.background.value));
            file.writeInteger(config::kGridBackgroundColour, static_cast<int>(colours_.gridBackground.value));
            file.writeInteger(config::kGridColour, static_cast<int>(colours_.grid.value));
            file.writeInteger(config::kRangeSelectionColour, static_cast<int>(colours_.rangeSelection.value));
            file.writeInteger(config::kResizingWindowColour, static_cast<int>(colours_.resizingWindow.value));
            break;
        case Setting::SchemeIndex:
            file.writeInteger(config::kColourSchemeIndex, schemeIndex_);
            break;
        case Setting::WindowTransparency:
            file.writeInteger(config::kWindowTransparency, windowTransparency_);
            break;
        case Setting::GridTransparency:
            file.writeInteger(config::kFullScreenGridTransparency, gridTransparency_);
            break;
        case Setting::AutoHide:
            file.writeBool(config::kAutoHide, autoHide_);
            break;
        case Setting::MaxRowsColumns:
            file.writeBool(config::kMaxRowsColumns, maxRowsColumns_);
            break;
        case Setting::SkipKillConfirmation:
            file.writeBool(config::kSkipKillConfirmation, skipKillConfirmation_);
            break;
        case Setting::LoadAtStartup:
            file.writeInteger(config::kLoadAtStartup, loadAtStartup_ ? 1 : 0);
            break;
        }
    }
}

} // namespace cellaro
