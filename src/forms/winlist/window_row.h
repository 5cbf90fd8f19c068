// One row of the window manager list: the window's icon, title and state, its four group boxes,
// and the buttons that open its executable's folder and close it. Every part carries the row's
// index as its tag, and the parts with a name end in that index.
#pragma once

#include "logic/winlist/window_list.h"
#include "pixels/bitmap.h"
#include "platform/desktop.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace cellaro {

class CheckBox;
class GradientButton;
class Image;
class Label;
class Panel;
class Widget;

// What a row shows of its window, read from the desktop when the row is made.
struct RowContent {
    std::string title;
    std::string state; // stateText()
    Bitmap icon;       // empty when neither the window nor its file has one
};

// What the row's parts do; each is told the row's index.
struct RowActions {
    std::function<void(int row)> toggleSelection;
    std::function<void(int row, int group, bool checked)> setGroup;
    std::function<void(int row)> closeWindow;
    std::function<void(int row)> openFileLocation;
};

// The pictures of the row buttons, made once per build at the form's scale.
struct RowPictures {
    Bitmap close;
    Bitmap folder;
};

// The state label's text: "Minimized" alone, otherwise "Normal" or "Maximized" followed by the
// window rectangle, "Normal ( 10, 20, 810, 620 )".
[[nodiscard]] std::string stateText(const std::optional<WindowPlacement>& placement,
                                    const std::optional<Rect>& windowRect);
// The row buttons' pictures: a cross and a folder, 16 x 16 (96-DPI pixels) on kPictureTransparent.
[[nodiscard]] Bitmap rowClosePicture(int dpi);
[[nodiscard]] Bitmap rowFolderPicture(int dpi);

class WindowRow {
public:
    static constexpr int kHeight = 48;
    static constexpr Colour kLineColour{0xE4E4E4};
    static constexpr Colour kTitleColour{0x786865};
    static constexpr Colour kStateColour{0xB26742};
    static constexpr Colour kKeyboardOutline{0x0078D7};
    static constexpr std::array<int, kGroupCount> kGroupBoxLeft{4, 34, 64, 94};
    static constexpr int kGroupBoxTop = 18;
    static constexpr int kGroupBoxSize = 17;
    // Distances of the buttons' left edges from the client width.
    static constexpr int kCloseFromRight = 50;
    static constexpr int kOpenLocationFromRight = 100;

    // Makes the row's parts at the bottom of the parent (the scroll box's content), the group boxes
    // showing the entry's marks. The actions must outlive the row.
    WindowRow(Widget& parent, int index, RowContent content, const WindowMarks& marks,
              const RowPictures& pictures, const RowActions& actions);

    [[nodiscard]] int index() const { return index_; }
    [[nodiscard]] Panel& panel() const { return *panel_; }
    [[nodiscard]] Panel& clientPanel() const { return *client_; }
    [[nodiscard]] CheckBox& groupBox(int group) const;
    [[nodiscard]] Image& icon() const { return *icon_; }
    [[nodiscard]] Label& titleLabel() const { return *title_; }
    [[nodiscard]] Label& stateLabel() const { return *state_; }
    [[nodiscard]] GradientButton& closeButton() const { return *close_; }
    [[nodiscard]] GradientButton& openLocationButton() const { return *openLocation_; }

    // The right-hand side for the scroll box's client width: the client panel one pixel narrower,
    // the buttons at their distances from the right.
    void layOut(int clientWidth) const;
    // The keyboard's row: outlined in the accent colour.
    void setKeyboardCurrent(bool current) const;

private:
    int index_;
    Panel* panel_ = nullptr;
    Panel* client_ = nullptr;
    std::array<CheckBox*, kGroupCount> groups_{};
    Image* icon_ = nullptr;
    Label* title_ = nullptr;
    Label* state_ = nullptr;
    GradientButton* close_ = nullptr;
    GradientButton* openLocation_ = nullptr;
};

} // namespace cellaro
