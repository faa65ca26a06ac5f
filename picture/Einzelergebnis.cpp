#include "picture/Einzelergebnis.h"

#include "ui/DesignFont.h"
#include "ui/NearestPixel.h"
#include "ui/Twips.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace marn {

namespace {

// The widest text the coordinates line can hold (the digits of this font are all equally wide).
const QString LongestCoordinates = QStringLiteral("Coordinates = 00\u00B0 00' 00.0\" S  000\u00B0 00' 00.0\" W");

} // namespace

// The design width suits a narrower font than the one found here: the lines and the window
// grow so that the coordinates are never cut off at the right.
void Einzelergebnis::WidenForLongestText(int margin)
{
    const int needed = QFontMetrics(Label1->font()).horizontalAdvance(LongestCoordinates) + 2;
    if (needed <= Label1->width())
        return;
    const int growth = needed - Label1->width();
    Label1->resize(needed, Label1->height());
    Label2->resize(Label2->width() + growth, Label2->height());
    resize(std::max(width(), Label1->x() + needed + margin), height());
}

Einzelergebnis::Einzelergebnis(const ScreenMetrics& screen, std::int16_t readoutFontSize, QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Einzelergebnis"));
    setWindowTitle(QStringLiteral("Values at mouse position"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(DesignFont(8.25));
    resize(TwipsRect(0, 0, 4470, 1095, screen).size());

    const QFont lineFont = DesignFont(readoutFontSize - 1);
    Label1 = new QLabel(QStringLiteral("Coordinates = "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(lineFont);
    Label1->setGeometry(TwipsRect(135, 105, 4200, 390, screen));
    Label2 = new QLabel(QStringLiteral("Height = "), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(lineFont);
    Label2->setGeometry(TwipsRect(135, 615, 4170, 435, screen));
    WidenForLongestText(Label1->x());

    move(NearestPixel(0.72 * screen.widthPx), NearestPixel(0.675 * screen.heightPx));
}

} // namespace marn
