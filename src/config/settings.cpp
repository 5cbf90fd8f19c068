// The shared settings: read from CRO.cfg, changed by the user, written back only where known.
#include "config/settings.h"

#include "core/error_report.h"

#include <algorithm>
#include <stdexcept>

namespace cellaro {

namespace {

Colour readColour(const ConfigFile& file, const config::IntegerKey& key) {
    return Colour{static_cast<std::uint32_t>(file.readInteger(key))};
}

// The settings that live in the file, in the order a full read takes them.
constexpr std::array<Setting, 11> kStoredSettings{
    Setting::GridSize,
    Setting::Colours,
    Setting::SchemeIndex,
    Setting::WindowTransparency,
    Setting::GridTransparency,
    Setting::AutoHide,
    Setting::MaxRowsColumns,
    Setting::SkipKillConfirmation,
    Setting::LoadAtStartup,
    Setting::Shortcuts,
    Setting::NavigationMenuPosition,
};

constexpr std::array<Setting, 3> kLookSettings{Setting::Colours, Setting::SchemeIndex, Setting::GridSize};

} // namespace

SettingsModel::SettingsModel(FileSystem& files, std::string configPath)
    : files_(files), path_(std::move(configPath)) {
    origins_.settings.fill(Origin::InFile);
    origins_.shortcuts.fill(Origin::InFile);
}

std::array<std::string, SettingsModel::kShortcutCount> SettingsModel::defaultShortcutTexts() {
    std::array<std::string, kShortcutCount> texts;
    for (std::size_t i = 0; i < kShortcutCount; ++i) {
        texts.at(i) = std::string(config::kShortcutKeys.at(i).setting.defaultValue);
    }
    return texts;
}

std::size_t SettingsModel::shortcutIndex(int number) {
    for (std::size_t i = 0; i < kShortcutCount; ++i) {
        if (config::kShortcutKeys.at(i).number == number) {
            return i;
        }
    }
    throw std::out_of_range("no shortcut has this number");
}

SettingsModel::Origin& SettingsModel::origin(Setting setting) {
    return origins_.settings.at(static_cast<std::size_t>(setting));
}

SettingsModel::Origin SettingsModel::origin(Setting setting) const {
    return origins_.settings.at(static_cast<std::size_t>(setting));
}

bool SettingsModel::unread(Setting setting) const {
    if (setting == Setting::Shortcuts) {
        return std::ranges::find(origins_.shortcuts, Origin::Unread) != origins_.shortcuts.end();
    }
    return origin(setting) == Origin::Unread;
}

bool SettingsModel::anyUnread() const {
    return std::ranges::any_of(kStoredSettings, [this](Setting setting) { return unread(setting); });
}

bool SettingsModel::shortcutUnread(int number) const {
    return origins_.shortcuts.at(shortcutIndex(number)) == Origin::Unread;
}

const std::string& SettingsModel::shortcutText(int number) const {
    return values_.shortcuts.at(shortcutIndex(number));
}

void SettingsModel::readFailed(const ConfigFile& file) {
    readError_ = file.readError();
}

void SettingsModel::load() {
    const ConfigFile file(files_, path_);
    missingAtLoad_ = file.missing();
    if (file.readFailed()) {
        readFailed(file);
        origins_.settings.fill(Origin::Unread);
        origins_.settings.at(static_cast<std::size_t>(Setting::GridOpacity)) = Origin::InFile;
        origins_.shortcuts.fill(Origin::Unread);
        return;
    }
    for (const Setting setting : kStoredSettings) {
        readSetting(file, setting, true);
        origin(setting) = Origin::InFile;
    }
    origins_.shortcuts.fill(Origin::InFile);
    values_.gridOpacityPosition = values_.gridTransparency;
}

bool SettingsModel::retryRead() {
    if (!anyUnread()) {
        return true;
    }
    const ConfigFile file(files_, path_);
    if (file.readFailed()) {
        readFailed(file);
        return false;
    }
    adopt(file);
    return true;
}

void SettingsModel::adopt(const ConfigFile& file) {
    std::vector<Setting> adopted;
    for (const Setting setting : kStoredSettings) {
        if (!unread(setting)) {
            continue;
        }
        readSetting(file, setting, false);
        if (setting == Setting::GridTransparency) {
            values_.gridOpacityPosition = values_.gridTransparency;
            adopted.push_back(Setting::GridOpacity);
        }
        if (setting == Setting::Shortcuts) {
            std::ranges::replace(origins_.shortcuts, Origin::Unread, Origin::InFile);
        } else {
            origin(setting) = Origin::InFile;
        }
        adopted.push_back(setting);
    }
    readError_.clear();
    for (const Setting setting : adopted) {
        notify(setting);
    }
    if (!adopted.empty()) {
        for (const auto& listener : lateReadListeners_) {
            listener();
        }
    }
}

void SettingsModel::reloadLook() {
    const ConfigFile file(files_, path_);
    if (file.readFailed()) {
        readFailed(file);
        return;
    }
    adopt(file);
    for (const Setting setting : kLookSettings) {
        if (origin(setting) == Origin::InFile) {
            readSetting(file, setting, true);
        }
    }
}

bool SettingsModel::reloadFromFile(std::initializer_list<Setting> settings) {
    const ConfigFile file(files_, path_);
    if (file.readFailed()) {
        readFailed(file);
        return false;
    }
    adopt(file);
    for (const Setting setting : settings) {
        if (setting == Setting::GridOpacity) {
            continue;
        }
        const Values before = values_;
        readSetting(file, setting, true);
        if (setting == Setting::Shortcuts) {
            origins_.shortcuts.fill(Origin::InFile);
        } else {
            origin(setting) = Origin::InFile;
        }
        if (setting == Setting::GridTransparency) {
            values_.gridOpacityPosition = values_.gridTransparency;
            if (before.gridOpacityPosition != values_.gridOpacityPosition) {
                notify(Setting::GridOpacity);
            }
        }
        if (!(before == values_)) {
            notify(setting);
        }
    }
    return true;
}

void SettingsModel::readSetting(const ConfigFile& file, Setting setting, bool allShortcuts) {
    Values& v = values_;
    switch (setting) {
    case Setting::GridSize:
        // A hand-edited 0 would divide by zero and 50 would draw an unusable board: the counts stay
        // within what the settings window can set.
        v.columns = std::clamp(file.readInteger(config::kGridColumns), kMinGridCells, kMaxGridCells);
        v.rows = std::clamp(file.readInteger(config::kGridRows), kMinGridCells, kMaxGridCells);
        break;
    case Setting::Colours:
        v.colours.background = readColour(file, config::kBackgroundColour);
        v.colours.gridBackground = readColour(file, config::kGridBackgroundColour);
        v.colours.grid = readColour(file, config::kGridColour);
        v.colours.rangeSelection = readColour(file, config::kRangeSelectionColour);
        v.colours.resizingWindow = readColour(file, config::kResizingWindowColour);
        break;
    case Setting::SchemeIndex:
        v.schemeIndex = file.readInteger(config::kColourSchemeIndex);
        break;
    case Setting::WindowTransparency:
        v.windowTransparency = file.readInteger(config::kWindowTransparency);
        break;
    case Setting::GridTransparency:
        v.gridTransparency = file.readInteger(config::kFullScreenGridTransparency);
        break;
    case Setting::AutoHide:
        v.autoHide = file.readBool(config::kAutoHide);
        break;
    case Setting::MaxRowsColumns:
        v.maxRowsColumns = file.readBool(config::kMaxRowsColumns);
        break;
    case Setting::SkipKillConfirmation:
        v.skipKillConfirmation = file.readBool(config::kSkipKillConfirmation);
        break;
    case Setting::LoadAtStartup: {
        // 1 checks and 0 clears the item; any other value leaves it as it is.
        const int load = file.readInteger(config::kLoadAtStartup);
        if (load == 1 || load == 0) {
            v.loadAtStartup = load == 1;
        }
        break;
    }
    case Setting::Shortcuts:
        for (std::size_t i = 0; i < kShortcutCount; ++i) {
            if (allShortcuts || origins_.shortcuts.at(i) == Origin::Unread) {
                v.shortcuts.at(i) = file.readText(config::kShortcutKeys.at(i).setting);
            }
        }
        break;
    case Setting::NavigationMenuPosition: {
        constexpr int kMissing = 0x7FFFFFFF;
        const int left = file.readInteger(config::navigationMenuLeft(kMissing));
        v.navigationMenuLeft = left == kMissing ? std::nullopt : std::optional<int>(left);
        v.navigationMenuTop = file.readInteger(config::kNavigationMenuTop);
        break;
    }
    case Setting::GridOpacity:
        break;
    }
}

void SettingsModel::writeSetting(ConfigFile& file, Setting setting) const {
    const Values& v = values_;
    switch (setting) {
    case Setting::GridSize:
        file.writeInteger(config::kGridColumns, v.columns);
        file.writeInteger(config::kGridRows, v.rows);
        break;
    case Setting::Colours:
        file.writeInteger(config::kBackgroundColour, static_cast<int>(v.colours.background.value));
        file.writeInteger(config::kGridBackgroundColour, static_cast<int>(v.colours.gridBackground.value));
        file.writeInteger(config::kGridColour, static_cast<int>(v.colours.grid.value));
        file.writeInteger(config::kRangeSelectionColour, static_cast<int>(v.colours.rangeSelection.value));
        file.writeInteger(config::kResizingWindowColour, static_cast<int>(v.colours.resizingWindow.value));
        break;
    case Setting::SchemeIndex:
        file.writeInteger(config::kColourSchemeIndex, v.schemeIndex);
        break;
    case Setting::WindowTransparency:
        file.writeInteger(config::kWindowTransparency, v.windowTransparency);
        break;
    case Setting::GridTransparency:
        file.writeInteger(config::kFullScreenGridTransparency, v.gridTransparency);
        break;
    case Setting::AutoHide:
        file.writeBool(config::kAutoHide, v.autoHide);
        break;
    case Setting::MaxRowsColumns:
        file.writeBool(config::kMaxRowsColumns, v.maxRowsColumns);
        break;
    case Setting::SkipKillConfirmation:
        file.writeBool(config::kSkipKillConfirmation, v.skipKillConfirmation);
        break;
    case Setting::LoadAtStartup:
        file.writeInteger(config::kLoadAtStartup, v.loadAtStartup ? 1 : 0);
        break;
    case Setting::Shortcuts:
        for (std::size_t i = 0; i < kShortcutCount; ++i) {
            file.writeText(config::kShortcutKeys.at(i).setting, v.shortcuts.at(i));
        }
        break;
    case Setting::NavigationMenuPosition:
        if (v.navigationMenuLeft) {
            file.writeInteger(config::navigationMenuLeft(0), *v.navigationMenuLeft);
            file.writeInteger(config::kNavigationMenuTop, v.navigationMenuTop);
        }
        break;
    case Setting::GridOpacity:
        break;
    }
}

FileWriteResult SettingsModel::persist(std::initializer_list<Setting> settings) {
    ConfigFile file(files_, path_);
    if (file.readFailed()) {
        readFailed(file);
        return FileWriteResult{false, saveUnreadableText(path_, file.readError())};
    }
    adopt(file);
    for (const Setting setting : settings) {
        writeSetting(file, setting);
    }
    FileWriteResult written = file.save();
    if (!written.ok) {
        return FileWriteResult{false, saveFailedText(path_, written.error)};
    }
    for (const Setting setting : settings) {
        if (setting == Setting::Shortcuts) {
            origins_.shortcuts.fill(Origin::InFile);
        } else {
            origin(setting) = Origin::InFile;
        }
    }
    return written;
}

FileWriteResult SettingsModel::changeAndPersist(std::initializer_list<Setting> settings,
                                                const std::function<void()>& change) {
    const Values values = values_;
    const Origins origins = origins_;
    change();
    FileWriteResult result = persist(settings);
    if (!result.ok) {
        values_ = values;
        origins_ = origins;
        for (const Setting setting : settings) {
            notify(setting);
        }
    }
    return result;
}

void SettingsModel::changed(Setting setting, bool differs) {
    // The value a setting already has is no change, unread or not: what the file holds wins then.
    if (!differs) {
        return;
    }
    origin(setting) = Origin::Unsaved;
    notify(setting);
}

void SettingsModel::notify(Setting setting) {
    for (const Listener& listener : listeners_) {
        listener(setting);
    }
}

void SettingsModel::setGridSize(int columns, int rows) {
    columns = std::clamp(columns, kMinGridCells, kMaxGridCells);
    rows = std::clamp(rows, kMinGridCells, kMaxGridCells);
    const bool differs = columns != values_.columns || rows != values_.rows;
    values_.columns = columns;
    values_.rows = rows;
    changed(Setting::GridSize, differs);
}

void SettingsModel::setColours(const BoardColours& colours) {
    const bool differs = !(colours == values_.colours);
    values_.colours = colours;
    changed(Setting::Colours, differs);
}

void SettingsModel::setSchemeIndex(int index) {
    const bool differs = index != values_.schemeIndex;
    values_.schemeIndex = index;
    changed(Setting::SchemeIndex, differs);
}

void SettingsModel::setWindowTransparency(int position) {
    const bool differs = position != values_.windowTransparency;
    values_.windowTransparency = position;
    changed(Setting::WindowTransparency, differs);
}

void SettingsModel::setGridTransparency(int position) {
    const bool differs = position != values_.gridTransparency;
    values_.gridTransparency = position;
    changed(Setting::GridTransparency, differs);
}

void SettingsModel::setGridOpacityPosition(int position) {
    const bool differs = position != values_.gridOpacityPosition;
    values_.gridOpacityPosition = position;
    if (differs) {
        notify(Setting::GridOpacity);
    }
}

void SettingsModel::setAutoHide(bool on) {
    const bool differs = on != values_.autoHide;
    values_.autoHide = on;
    changed(Setting::AutoHide, differs);
}

void SettingsModel::setMaxRowsColumns(bool on) {
    const bool differs = on != values_.maxRowsColumns;
    values_.maxRowsColumns = on;
    changed(Setting::MaxRowsColumns, differs);
}

void SettingsModel::setSkipKillConfirmation(bool skip) {
    const bool differs = skip != values_.skipKillConfirmation;
    values_.skipKillConfirmation = skip;
    changed(Setting::SkipKillConfirmation, differs);
}

void SettingsModel::setLoadAtStartup(bool on) {
    values_.loadAtStartup = on;
    origin(Setting::LoadAtStartup) = Origin::Unsaved;
    notify(Setting::LoadAtStartup);
}

void SettingsModel::setShortcutText(int number, const std::string& text) {
    const std::size_t index = shortcutIndex(number);
    if (text == values_.shortcuts.at(index)) {
        return;
    }
    values_.shortcuts.at(index) = text;
    origins_.shortcuts.at(index) = Origin::Unsaved;
    notify(Setting::Shortcuts);
}

void SettingsModel::setNavigationMenuPosition(int left, int top) {
    const bool differs = values_.navigationMenuLeft != left || values_.navigationMenuTop != top;
    values_.navigationMenuLeft = left;
    values_.navigationMenuTop = top;
    changed(Setting::NavigationMenuPosition, differs);
}

} // namespace cellaro
