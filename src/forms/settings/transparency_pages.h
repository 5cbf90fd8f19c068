// The two transparency pages of the settings window: "Fullscreen grid" (the slider xiMMM over a
// veiled desktop snapshot with ten grid lines) and "Set Window" (the slider xtr over a translucent
// mock-up of a window), each with its percentage label.
#pragma once

#include "core/geometry.h"
#include "pixels/bitmap.h"

#include <array>
#include <cstddef>
#include <string>

namespace cellaro {

class EventLoop;
class GradientButton;
class Label;
class Page;
class TrackBar;
class TranslucentPanel;

// What a slider position reads as: the position (0 counting as 1) as the nearest whole percentage
// of 255.
[[nodiscard]] int sliderPercent(int position);
[[nodiscard]] std::string percentText(int percent);

class FullScreenGridPage {
public:
    static constexpr Size kPictureSize{696, 396};
    static constexpr int kLineCount = 5;
    static constexpr int kHorizontalLineStep = 66;
    static constexpr int kVerticalLineStep = 116;

    FullScreenGridPage(Page& page, EventLoop& loop);

    void setSnapshot(const Bitmap& snapshot);
    // OsveziMrezo's picture: the percentage label and the veil at the slider's percentage in the grid
    // background colour, the lines in the grid colour a quarter more translucent.
    void show(Colour gridBackground, Colour grid);

    [[nodiscard]] TrackBar& slider() const { return *slider_; }
    [[nodiscard]] const Label& percentLabel() const { return *percent_; }
    [[nodiscard]] const TranslucentPanel& veil() const { return *veil_; }

private:
    TranslucentPanel* veil_ = nullptr;
    std::array<TranslucentPanel*, static_cast<std::size_t>(kLineCount) * 2> lines_{};
    TrackBar* slider_ = nullptr;
    Label* percent_ = nullptr;
};

class SetWindowPage {
public:
    static constexpr Size kPictureSize{700, 394};
    static constexpr Size kMockUpSize{345, 241};
    static constexpr int kMockUpTitleHeight = 22;

    SetWindowPage(Page& page, EventLoop& loop);

    void setSnapshot(const Bitmap& snapshot);
    // xtrChange's picture: the percentage label, the mock-up and its title strip at that percentage.
    void show();
    void setMockUpColour(Colour colour);

    [[nodiscard]] TrackBar& slider() const { return *slider_; }
    [[nodiscard]] const Label& percentLabel() const { return *percent_; }
    [[nodiscard]] GradientButton& colourButton() const { return *colourButton_; }

private:
    TranslucentPanel* desk_ = nullptr;
    TranslucentPanel* mockUp_ = nullptr;
    TranslucentPanel* mockUpTitle_ = nullptr;
    TrackBar* slider_ = nullptr;
    Label* percent_ = nullptr;
    GradientButton* colourButton_ = nullptr;
};

} // namespace cellaro
