#pragma once
// Drawing of a height profile: a page with the line's ends (degrees, minutes
// and seconds as the mouse readout shows them), its length, lowest and highest
// point, ascent and descent, and below them the plot of height against
// distance with ticks in km and m. Missing heights are gaps in the curve.
// Painted by hand with QPainter, so the window, a PNG file and a printed page
// are the same drawing at different sizes.

#include "core/Profile.h"

#include <QImage>
#include <QRectF>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace marn {

// Tick values from lo to hi at a step of 1, 2 or 5 times a power of ten, the
// smallest such step that gives at most maxTicks ticks; the first tick is the
// first multiple of the step at or above lo. Empty when hi < lo.
std::vector<double> NiceTicks(double lo, double hi, int maxTicks);

// The texts above the plot, in order: the start and the end position, the
// distance, the lowest and the highest point, ascent and descent.
std::vector<std::string> ProfileTextLines(const ProfileLine& line, const std::vector<ProfileSample>& samples);

// The line under the plot for a sample the pointer is over:
// "Distance = 12.345 km   Height = 523 m   Coordinates = 36° ...".
std::string ProfilePointText(const ProfileSample& sample);

// The plot's frame inside a page of the given size, and its scales.
struct ProfileScales {
    QRectF plot;           // the frame of the plot, in page pixels
    double heightLo = 0.0; // metres at the bottom and the top of the frame
    double heightHi = 1.0;
    double distanceKm = 1.0; // km at the right edge (0 at the left)
    double x(double km) const { return plot.left() + km / distanceKm * plot.width(); }
    double y(double metres) const
    {
        return plot.bottom() - (metres - heightLo) / (heightHi - heightLo) * plot.height();
    }
};
ProfileScales ComputeProfileScales(QSize page, int textLines, const std::vector<ProfileSample>& samples);

// Paints the whole page into `painter` over a white background; `marked` puts a
// marker on one sample.
void PaintProfile(QPainter& painter, QSize page, const ProfileLine& line, const std::vector<ProfileSample>& samples,
    std::optional<std::size_t> marked = std::nullopt);

// The page as a picture (white, 32-bit RGB).
QImage ProfileImage(QSize page, const ProfileLine& line, const std::vector<ProfileSample>& samples);

// The size of a saved or printed page.
inline constexpr QSize ProfilePageSize{1200, 700};

// The profile window's plot: the page at the widget's size; the pointer over
// the plot marks the sample nearest to it in distance.
class ProfilePlot : public QWidget {
    Q_OBJECT

public:
    explicit ProfilePlot(QWidget* parent = nullptr);
    void setProfile(const ProfileLine& line, const std::vector<ProfileSample>& samples);
    // The sample nearest in distance to the pointer at x; nullopt outside the plot or without samples.
    std::optional<std::size_t> sampleAt(double x, double y) const;
    std::optional<std::size_t> marked() const { return marked_; }

signals:
    // The sample under the pointer, -1 when the pointer is not over the plot.
    void hovered(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void mark(std::optional<std::size_t> index);

    ProfileLine line_;
    std::vector<ProfileSample> samples_;
    std::optional<std::size_t> marked_;
};

} // namespace marn
