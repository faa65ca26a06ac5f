#include "Fortschritt.h"

#include "PixelGeometry.h"
#include "ui/DesignFont.h"
#include "ui/LabelArray.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QLabel>

namespace marn {

Fortschritt::Fortschritt(const ScreenMetrics& screen, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Fortschritt"));
    setWindowTitle(QStringLiteral("Read MARN data progress"));
    setFont(DesignFont(8.25));
    const double w = screen.widthPx;
    const double h = screen.heightPx;
    const QRect placement = PixelRect({static_cast<float>(0.15 * w), static_cast<float>(0.35 * h),
        static_cast<float>(0.7 * w), static_cast<float>(0.3 * h)});
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
        label->setGeometry(PixelRect({mark.labelPos.x, mark.labelPos.y, mark.labelWidth,
            static_cast<float>(label->height())}));
    }
}

void Fortschritt::drawBar(const ProgressBarLayout& layout, float progress)
{
    for (const PxLine& line : ProgressBarLines(layout, progress))
        surface->Line(line.x1, line.y1, line.x2, line.y2, ProgressBarColour);
}

} // namespace marn
