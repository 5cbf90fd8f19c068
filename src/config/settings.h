// The settings that several windows share, and the one way they reach CRO.cfg: the grid size, the
// five colours and the scheme index, the two slider positions (window transparency, full-screen
// grid transparency), auto-hide, 10 x 10 cells on the full-screen grid, the kill confirmation's
// "do not ask again", autostart, the thirty-two shortcut texts and the groups navigation menu's
// position. Listeners hear of every change. No other code opens the file.
//
// Every setting knows where its value came from:
// - unread: the file exists but could not be read (another program holds it open at log-on, say);
//   the value is the default standing in for the user's, and it is never written;
// - in the file: read from the file, or written to it since;
// - unsaved: changed in this run and not written yet (a write failed, or none was asked for).
// A read that succeeds at last (retryRead, or the read before any write) takes the file's values
// for every unread setting; a value the user changed in this run stays the user's.
#pragma once

#include "config/board_colours.h"
#include "config/config_file.h"
#include "config/config_keys.h"

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {

class FileSystem;

enum class Setting {
    GridSize,
    Colours,
    SchemeIndex,
    WindowTransparency, // the "Windows transparency" slider's position
    GridTransparency,   // the "Fullscreen grid transparency" slider's position as saved
    AutoHide,
    MaxRowsColumns,
    SkipKillConfirmation,
    LoadAtStartup,
    Shortcuts,
    NavigationMenuPosition,
    // The full-screen grid's opacity in effect (moves with the slider at once); never written.
    GridOpacity,
};

class SettingsModel {
public:
    using Listener = std::function<void(Setting)>;

    // configPath: CRO.cfg's full path. Nothing is read until load().
    SettingsModel(FileSystem& files, std::string configPath);

    [[nodiscard]] const std::string& path() const { return path_; }

    // Start-up: reads every setting. A missing file gives the defaults; a file that exists but
    // can't be read leaves every setting unread (see anyUnread).
    void load();
    // Reads the file again when some setting is still unread; true when none is unread afterwards.
    bool retryRead();
    // Each theming pass: the colours, the scheme index and the grid size read again (a hand-edited
    // file shows at the next activation), except those changed in this run and not saved.
    void reloadLook();
    // The settings window's reload: these settings take the file's values, whatever this run did
    // to them. False, with nothing changed, when the file can't be read.
    bool reloadFromFile(std::initializer_list<Setting> settings);
    // The file was not there when load() looked: the program's first start in this folder.
    [[nodiscard]] bool missingAtLoad() const { return missingAtLoad_; }
    [[nodiscard]] bool anyUnread() const;
    [[nodiscard]] bool unread(Setting setting) const;
    // The read error of the last attempt, while some setting is unread.
    [[nodiscard]] const std::string& readError() const { return readError_; }

    [[nodiscard]] int columns() const { return values_.columns; }
    [[nodiscard]] int rows() const { return values_.rows; }
    [[nodiscard]] const BoardColours& colours() const { return values_.colours; }
    [[nodiscard]] int schemeIndex() const { return values_.schemeIndex; }
    // Slider positions 0..255; the applied opacity is 255 minus them.
    [[nodiscard]] int windowTransparency() const { return values_.windowTransparency; }
    [[nodiscard]] int gridTransparency() const { return values_.gridTransparency; }
    // The full-screen grid's position in effect: the saved one, or where the slider was moved to
    // since (Cancel does not undo that).
    [[nodiscard]] int gridOpacityPosition() const { return values_.gridOpacityPosition; }
    [[nodiscard]] bool autoHide() const { return values_.autoHide; }
    [[nodiscard]] bool maxRowsColumns() const { return values_.maxRowsColumns; }
    [[nodiscard]] bool skipKillConfirmation() const { return values_.skipKillConfirmation; }
    // The tray menu's "Load Cellaro at Startup" check.
    [[nodiscard]] bool loadAtStartup() const { return values_.loadAtStartup; }
    // The shortcut text stored for that number (its default while unread or missing).
    [[nodiscard]] const std::string& shortcutText(int number) const;
    [[nodiscard]] bool shortcutUnread(int number) const;
    // The navigation menu's stored position: the left edge is nothing when the file has none (its
    // default depends on the screen); the top defaults to 45.
    [[nodiscard]] std::optional<int> navigationMenuLeft() const { return values_.navigationMenuLeft; }
    [[nodiscard]] int navigationMenuTop() const { return values_.navigationMenuTop; }

    // The user's changes: each that changes a value marks the setting unsaved and tells the
    // listeners; setting the value a setting already has does neither.
    void setGridSize(int columns, int rows);
    void setColours(const BoardColours& colours);
    void setSchemeIndex(int index);
    void setWindowTransparency(int position);
    // The position to save (the one in effect follows at the next load, or setGridOpacityPosition).
    void setGridTransparency(int position);
    // The one in effect only (the slider moved; only OK saves it).
    void setGridOpacityPosition(int position);
    void setAutoHide(bool on);
    void setMaxRowsColumns(bool on);
    void setSkipKillConfirmation(bool skip);
    // Choosing the item is always the user's word, even when it leaves the value as it was.
    void setLoadAtStartup(bool on);
    void setShortcutText(int number, const std::string& text);
    void setNavigationMenuPosition(int left, int top);

    // Writes these settings to CRO.cfg, read afresh, and writes the file back whole; the file's
    // other keys stay as they are. The read comes first: an unread setting takes the file's value
    // then (and is written as read). When the file can't be read nothing is written; when it can't
    // be written it is left as it was. Either way the error text names the file and the reason,
    // ready for the error report, and the settings keep their values in memory (unsaved).
    [[nodiscard]] FileWriteResult persist(std::initializer_list<Setting> settings);
    // A change that is only worth having in the file: runs `change`, then persist(settings); when
    // that fails, every setting is as it was before `change` (value and origin), and the listeners
    // hear it.
    [[nodiscard]] FileWriteResult changeAndPersist(std::initializer_list<Setting> settings,
                                                   const std::function<void()>& change);

    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }
    // Called once each time settings that could not be read were read at last (after the listeners
    // heard of each), wherever that read happened.
    void addLateReadListener(std::function<void()> listener) {
        lateReadListeners_.push_back(std::move(listener));
    }

private:
    enum class Origin { Unread, InFile, Unsaved };
    static constexpr std::size_t kShortcutCount = config::kShortcutKeys.size();
    static constexpr std::size_t kOriginCount = static_cast<std::size_t>(Setting::GridOpacity) + 1;

    struct Values {
        int columns = config::kGridColumns.defaultValue;
        int rows = config::kGridRows.defaultValue;
        BoardColours colours;
        int schemeIndex = config::kColourSchemeIndex.defaultValue;
        int windowTransparency = config::kWindowTransparency.defaultValue;
        int gridTransparency = config::kFullScreenGridTransparency.defaultValue;
        int gridOpacityPosition = config::kFullScreenGridTransparency.defaultValue;
        bool autoHide = config::kAutoHide.defaultValue;
        bool maxRowsColumns = config::kMaxRowsColumns.defaultValue;
        bool skipKillConfirmation = config::kSkipKillConfirmation.defaultValue;
        bool loadAtStartup = false;
        std::array<std::string, kShortcutCount> shortcuts = defaultShortcutTexts();
        std::optional<int> navigationMenuLeft;
        int navigationMenuTop = config::kNavigationMenuTop.defaultValue;
        friend bool operator==(const Values&, const Values&) = default;
    };
    struct Origins {
        std::array<Origin, kOriginCount> settings{};
        std::array<Origin, kShortcutCount> shortcuts{};
    };

    [[nodiscard]] static std::array<std::string, kShortcutCount> defaultShortcutTexts();
    [[nodiscard]] static std::size_t shortcutIndex(int number);
    [[nodiscard]] Origin& origin(Setting setting);
    [[nodiscard]] Origin origin(Setting setting) const;
    // Reads the setting from the file into the values (Shortcuts: the unread ones only, unless all).
    void readSetting(const ConfigFile& file, Setting setting, bool allShortcuts);
    void writeSetting(ConfigFile& file, Setting setting) const;
    // The file read well: every unread setting takes its value (and the listeners hear of it).
    void adopt(const ConfigFile& file);
    // Marks a user change and tells the listeners, when `differs` or the value was unread.
    void changed(Setting setting, bool differs);
    void notify(Setting setting);
    // The read failed: remembers why.
    void readFailed(const ConfigFile& file);

    FileSystem& files_;
    std::string path_;
    Values values_;
    Origins origins_;
    std::string readError_;
    bool missingAtLoad_ = false;
    std::vector<Listener> listeners_;
    std::vector<std::function<void()>> lateReadListeners_;
};

} // namespace cellaro
