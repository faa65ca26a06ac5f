#pragma once
// Moving from the picture to the next one: the view (centre point and
// west-east length) that a wheel notch, a key, a double-click or "Back" asks
// for, computed from the view on show and its picture's frame. Plain
// functions; the picture window loads the view they return.
//
// Every view keeps to what the input window accepts: a length of 20..3000 km
// and a centre latitude up to 90 deg 59' north or south; a step that would
// leave them gives no view. The centre longitude of a new view is brought into
// -180..180, so that the input window's fields can show it.

#include "core/DisplayArea.h"
#include "core/PictureGrid.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace marn {

// A view: the centre (signed degrees) and the west-east length of a picture.
using View = DisplayArea;

// The view in a state.
inline View CurrentView(const DisplayArea& s)
{
    return s;
}
// Writes a view's centre and length into a state.
inline void SetView(DisplayArea& s, const View& view)
{
    s = view;
}

// The length after `notches` zoom steps: each step forward (positive) halves
// it, each step back doubles it, rounded to whole km (halves up); nullopt when
// the result lies outside 20..3000 km.
std::optional<std::int16_t> ZoomedLength(std::int16_t lengthKm, int notches);

// Zoom about the centre ("+" and "-"): the same centre, the zoomed length.
std::optional<View> ZoomedView(const View& at, int notches);

// Zoom about the pointer at (x, y) in Picture1's pixels (the mouse wheel):
// the new centre is chosen so that the new picture shows, under the same
// pixel, the point the shown picture has there. nullopt also when the pointer
// lies outside the picture area.
std::optional<View> ZoomedViewAt(const View& at, const PictureGrid& s, int notches, float x, float y);

// The point under the pointer (double-click) as the centre, same length;
// nullopt when the pointer lies outside the picture area.
std::optional<View> CentredView(const View& at, const PictureGrid& s, float x, float y);

// The centre moved by half the picture's height (north, south) or half its
// west-east length (west, east).
enum class Direction { North, South, West, East };
std::optional<View> MovedView(const View& at, const PictureGrid& s, Direction direction);

// How the shown picture looks in the picture of view `to`, for showing it at
// once while `to` is sampled: a point at (x, y) of the shown picture area lies
// near (cx + scale·(x − cx − dx), cy + scale·(y − cy − dy)) in the new one,
// (cx, cy) being the middle of the picture area. Shifts in pixels of the
// shown picture; exact for zooms about the centre, close for moves.
struct PreviewShift {
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;
};
PreviewShift PreviewOf(const View& from, const PictureGrid& shown, const View& to);

// The views shown before the current one, the latest on top; the oldest are
// dropped beyond Capacity.
class ViewHistory {
public:
    static constexpr std::size_t Capacity = 50;
    void push(const View& view);
    std::optional<View> pop();
    std::size_t size() const { return views_.size(); }
    bool empty() const { return views_.empty(); }

private:
    std::deque<View> views_;
};

} // namespace marn
