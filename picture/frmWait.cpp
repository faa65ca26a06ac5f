#include "picture/frmWait.h"

#include "ui/DesignFont.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QLabel>

namespace marn {

frmWait::frmWait(const ScreenMetrics& screen, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Wait"));
    setFont(DesignFont(8.25));
    resize(TwipsRect(0, 0, 9315, 4635, screen).size());

    Label1 = new QLabel(QStringLiteral("The image is drawn ... please wait ..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(DesignFont(18, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(TwipsRect(915, 1710, 7365, 855, screen));

    CentreOnScreen(*this, screen);
}

} // namespace marn
