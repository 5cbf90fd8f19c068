// Dragging a borderless form by one of its widgets: the form follows the cursor by the distance it
// travelled since the press. Shared by the gradient panel and by forms that drag by plain panels.
#pragma once

#include "core/geometry.h"

namespace cellaro {

class Form;
class Widget;

class WindowDrag {
public:
    // Remembers the form's position and the cursor (from the form's host) at the press.
    void begin(Form& form);
    // The same for the press's own position, in screen pixels: the cursor may have travelled on
    // by the time the press is handled.
    void beginAt(Form& form, Point cursor);
    // Moves the form to its start position plus the cursor's travel, keeping its current size (which a
    // change of scale on the way may have changed); false when nothing moved
    // (no drag in progress, or the form is already there).
    bool follow();
    // The same for a cursor position the caller knows (an event's own), in screen pixels.
    bool followTo(Point cursor);
    // The release: the form takes the cursor's last position (the last move may have come with the
    // release itself), then the drag ends.
    void end();
    // The release at a known screen position: the release message's own point, which may be newer
    // than the cursor position the system has taken in so far.
    void endAt(Point cursor);
    [[nodiscard]] bool active() const { return form_ != nullptr; }

    // Pressing the widget (the left button, or any with anyButton) drags the form by the points
    // the events bring: the system's cursor position can lag behind a press that arrives while the
    // form is being activated, and the release's own point may be newer than the last move.
    void attach(Form& form, Widget& panel, bool anyButton = false);

private:
    Form* form_ = nullptr;
    Rect startBounds_;
    Point startCursor_;
};

} // namespace cellaro
