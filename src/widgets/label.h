// A label: one text in its font and font colour, aligned in its rectangle, on its own colour or
// on whatever lies below it. Its width stays as set (no automatic sizing).
#pragma once

#include "widgets/widget.h"

#include <string>
#include <utility>

namespace cellaro {

class Label : public Widget {
public:
    explicit Label(std::string name);

    // The text is the caption.
    [[nodiscard]] const std::string& text() const { return caption(); }
    void setText(std::string text) { setCaption(std::move(text)); }

    [[nodiscard]] TextAlign alignment() const { return alignment_; }
    void setAlignment(TextAlign alignment);
    // Transparent (the default) leaves the background to what lies below.
    [[nodiscard]] bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    [[nodiscard]] bool endEllipsis() const { return endEllipsis_; }
    void setEndEllipsis(bool cut);
    [[nodiscard]] bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);
    // Centred vertically, or at the top (the default).
    [[nodiscard]] bool verticalCentre() const { return verticalCentre_; }
    void setVerticalCentre(bool centre);

    void paint(Canvas& canvas) const override;

private:
    TextAlign alignment_ = TextAlign::Left;
    bool transparent_ = true;
    bool endEllipsis_ = false;
    bool wordWrap_ = false;
    bool verticalCentre_ = false;
};

} // namespace cellaro
