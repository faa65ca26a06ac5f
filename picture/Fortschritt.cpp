#include "picture/Fortschritt.h"

#include "core/Single.h"
#include "picture/PixelGeometry.h"
#include "ui/DesignFont.h"
#include "ui/LabelArray.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QImage>
#include <QLabel>

#include <algorithm>

namespace marn {

Fortschritt::Fortschritt(const ScreenMetrics& screen, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Fortschritt"));
    setWindowTitle(QStringLiteral("Read MARN data progress"));
    setFont(DesignFont(8.25));
    const double w = screen.widthPx;
    const double h = screen.heightPx;
    const QRect placement = PixelRect({Single(0.15 * w), Single(0.35 * h), Single(0.7 * w), Single(0.3 * h)});
    move(placement.topLeft());
    resize(placement.size());

    surface = new PictureBox(this);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setGeometry(rect());

    Label1 = new QLabel(QStringLiteral("Reading KETTA MARN data"), surface);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(DesignFont(14.25, true));
    Label1->setAlignment(Qt::AlignCenter);
    // The design size, widened where this font renders the title wider, so
    // the title is never cut; it stays centred either way.
    const QRect design = TwipsRect(0, 0, 3420, 495, screen);
    Label1->resize(design.size().expandedTo(QSize(Label1->sizeHint().width(), 0)));
    Label1->move(NearestPixel(width() / 2.0 - Label1->width() / 2.0), NearestPixel(0.05 * h));

    LabP = MakeLabelArray<11>(surface, QStringLiteral("LabP"), QSize(NearestPixel(0.04 * w), 18),
        Qt::AlignHCenter | Qt::AlignTop, DesignFont(11));
}

void Fortschritt::drawScale(const ProgressBarLayout& layout)
{
    surface->Line(layout.x0, layout.y, layout.x1, layout.y);
    for (std::size_t k = 0; k < LabP.size(); ++k) {
        const ProgressMark& mark = layout.marks[k];
        QLabel* label = LabP[k];
        label->setVisible(true);
        surface->Line(mark.tick.x1, mark.tick.y1, mark.tick.x2, mark.tick.y2);
        label->setText(QString::fromStdString(mark.caption));
        label->setFont(DesignFont(11));
        label->setGeometry(
            PixelRect({mark.labelPos.x, mark.labelPos.y, mark.labelWidth, static_cast<float>(label->height())}));
    }
}

void Fortschritt::drawBar(const ProgressBarLayout& layout, float progress)
{
    // ProgressBarLines gives horizontal lines: each is one run of pixels in the
    // surface's drawing, the pixels Line would set, and only the bar's own
    // rectangle is repainted (not the whole window with its marks) each row.
    QImage& image = surface->image();
    QRect dirty;
    for (const PxLine& line : ProgressBarLines(layout, progress)) {
        const int y = NearestPixel(line.y1);
        const int from = std::max(std::min(NearestPixel(line.x1), NearestPixel(line.x2)), 0);
        const int to = std::min(std::max(NearestPixel(line.x1), NearestPixel(line.x2)), image.width() - 1);
        if (y < 0 || y >= image.height() || from > to)
            continue;
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(pixels + from, pixels + to + 1, ProgressBarColour);
        dirty |= QRect(from, y, to - from + 1, 1);
    }
    if (!dirty.isEmpty())
        surface->update(dirty);
}

} // namespace marn
