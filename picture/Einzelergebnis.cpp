#include "Einzelergebnis.h"

#include "ui/DesignFont.h"
#include "ui/NearestPixel.h"
#include "ui/Twips.h"

#include <QLabel>

namespace marn {

Einzelergebnis::Einzelergebnis(const ScreenMetrics& screen, std::int16_t readoutFontSize, QWidget* parent)
    : QWidget(parent, Qt::Window)
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

    move(NearestPixel(0.72 * screen.widthPx), NearestPixel(0.675 * screen.heightPx));
}

} // namespace marn
