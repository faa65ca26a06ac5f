#pragma once
// The pictures of recently shown views, kept whole so that showing one of
// those views again costs no sampling: its pixels, its grids (what the readout
// reads), its frame on the sphere and what its labels showed. The cache holds
// at most Budget bytes (pixels and grids); the least recently stored picture
// goes first, and the newest is kept even when it alone is larger.
//
// At 1920 x 1080 one picture takes about 26 MB (8 MB of pixels, 2 MB of
// heights, 16 MB of coordinates), so the default budget keeps the last nine.

#include "core/GridArrays.h"
#include "core/PictureGrid.h"
#include "picture/CoordinateLabels.h"
#include "picture/HeightClasses.h"
#include "picture/Navigation.h"
#include "picture/PictureLayout.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace marn {

// What one label of the picture showed.
struct LabelShown {
    QString text;
    QPoint pos;
    bool visible = false;
};

struct CachedPicture {
    View view;
    bool relief = false;
    bool classesShown = false; // classes from the heights shown, not from every point
    QImage pixels;
    HeightGrid heights;
    CoordGrid coords;
    AreaFrame frame;
    HeightRange range;
    ClassLimits limits{};
    ScaleBar scale;
    CoordinateLabelSet labels;
    std::vector<LabelShown> shown;
    std::size_t bytes() const;
};

class PictureCache {
public:
    static constexpr std::size_t DefaultBudget = std::size_t{240} << 20;
    explicit PictureCache(std::size_t budget = DefaultBudget) : budget_(budget) {}

    // Stores a picture, replacing one of the same view.
    void put(CachedPicture picture);
    // Removes and returns the picture of a view, if held.
    std::optional<CachedPicture> take(const View& view);
    std::size_t size() const { return pictures_.size(); }
    std::size_t bytes() const;

private:
    std::size_t budget_;
    std::deque<CachedPicture> pictures_; // oldest first
};

} // namespace marn
