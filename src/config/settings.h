// The settings that several windows share, read from CRO.cfg and owned in one place: the grid size,
// the five colours and the scheme index, the transparency level and the grid opacity, auto-hide,
// 10 x 10 cells on the full-screen grid, the kill confirmation's "do not ask again" and autostart.
// Listeners hear of every change.
//
// A value that could not be read is never written back: when CRO.cfg exists but can't be read (held
// open by another program at log-on, for instance), the settings keep their defaults for the time
// being, and a write puts only what the user changed in this run into the file.
#pragma once

#include "config/board_colours.h"
#include "config/config_file.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace cellaro {

class FileSystem;

enum class Setting {
    GridSize,
    Colours,
    SchemeIndex,
    WindowTransparency,
    GridTransparency,
    AutoHide,
    MaxRowsColumns,
    SkipKillConfirmation,
    LoadAtStartup,
};

class SettingsModel {
public:
    using Listener = std::function<void(Setting)>;

    // configPath: CRO.cfg's full path. Nothing is read until load().
    SettingsModel(FileSystem& files, std::string configPath);

    // Reads every setting. Values the user changed in this run stay as they are. When the file
    // exists but can't be read, the others keep what they had and readFailed() says so.
    void load();
    // Reads the colours, the scheme index and the grid size again (each theming pass does, so a
    // hand-edited file shows at the next activation); after a failed read, reads everything again.
    void reloadLook();
    [[nodiscard]] bool readFailed() const { return readFailed_; }

    // The configuration file, read afresh.
    [[nodiscard]] ConfigFile open() const { return ConfigFile(files_, path_); }

    [[nodiscard]] int columns() const { return columns_; }
    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] const BoardColours& colours() const { return colours_; }
    [[nodiscard]] int schemeIndex() const { return schemeIndex_; }
    // Slider positions 0..255; the applied opacity is 255 minus them.
    [[nodiscard]] int windowTransparency() const { return windowTransparency_; }
    [[nodiscard]] int gridTransparency() const { return gridTransparency_; }
    [[nodiscard]] bool autoHide() const { return autoHide_; }
    [[nodiscard]] bool maxRowsColumns() const { return maxRowsColumns_; }
    [[nodiscard]] bool skipKillConfirmation() const { return skipKillConfirmation_; }
    // The tray menu's "Load Cellaro at Startup" check.
    [[nodiscard]] bool loadAtStartup() const { return loadAtStartup_; }
    // Whether loadAtStartup() is the user's: read from the file or changed in this run.
    [[nodiscard]] bool loadAtStartupKnown() const { return isKnown(Setting::LoadAtStartup); }

    // The user's changes: each marks the setting as changed in this run and tells the listeners
    // (an unchanged value does neither, unless the file's value could not be read).
    void setGridSize(int columns, int rows);
    void setColours(const BoardColours& colours);
    void setSchemeIndex(int index);
    void setWindowTransparency(int position);
    void setGridTransparency(int position);
    void setAutoHide(bool on);
    void setMaxRowsColumns(bool on);
    void setSkipKillConfirmation(bool skip);
    void setLoadAtStartup(bool on);

    // Puts these settings into an opened file, to be saved by the caller: each that is known (read
    // from the file or changed in this run); one that could not be read and was not changed is left
    // out, so the user's value in the file stays.
    void writeTo(ConfigFile& file, std::initializer_list<Setting> settings) const;

    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    [[nodiscard]] bool isKnown(Setting setting) const;
    [[nodiscard]] bool isKnownChange(Setting setting) const;
    void changed(Setting setting);
    template <typename T> void assign(T& field, const T& value, Setting setting);
    void readLook(const ConfigFile& file);
    void readOthers(const ConfigFile& file);

    FileSystem& files_;
    std::string path_;
    bool readFailed_ = false;
    std::vector<Setting> changedInThisRun_;
    std::vector<Listener> listeners_;

    int columns_ = config::kGridColumns.defaultValue;
    int rows_ = config::kGridRows.defaultValue;
    BoardColours colours_;
    int schemeIndex_ = config::kColourSchemeIndex.defaultValue;
    int windowTransparency_ = config::kWindowTransparency.defaultValue;
    int gridTransparency_ = config::kFullScreenGridTransparency.defaultValue;
    bool autoHide_ = config::kAutoHide.defaultValue;
    bool maxRowsColumns_ = config::kMaxRowsColumns.defaultValue;
    bool skipKillConfirmation_ = config::kSkipKillConfirmation.defaultValue;
    bool loadAtStartup_ = false;
};

} // namespace cellaro
