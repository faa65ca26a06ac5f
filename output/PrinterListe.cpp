#include "output/PrinterListe.h"

#include "core/SharedState.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterChoice.h"
#include "ui/EnterKey.h"
#include "ui/Platform.h"
#include "ui/PrinterService.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>

namespace marn {

PrinterListe::PrinterListe(
    SharedState& state, Platform& platform, PrinterService& printers, std::function<QImage()> snapshot)
    : state_(state), platform_(platform), printers_(printers), snapshot_(std::move(snapshot))
{
    setObjectName("PrinterListe");
    setWindowTitle("Available printers");
    createControls();
    Form_Load();
}

void PrinterListe::createControls()
{
    const ScreenMetrics screen = platform_.screen();
    setFixedSize(TwipsToPx(9195, screen), TwipsToPx(5415, screen));

    Label1 = new QLabel("Please select a printer", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(TwipsRect(60, 90, 9090, 495, screen));

    Label2 = new QLabel("Available printers", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(TwipsRect(405, 705, 7530, 495, screen));

    Druckerliste = new QListWidget(this);
    Druckerliste->setObjectName("Druckerliste");
    Druckerliste->setGeometry(TwipsRect(240, 1215, 8310, 3885, screen));
    connect(Druckerliste, &QListWidget::itemClicked, this, &PrinterListe::Druckerliste_Click);
    Druckerliste->installEventFilter(this);
    installEventFilter(this);
}

void PrinterListe::Form_Load()
{
    CentreOnScreen(*this, platform_.screen());
}

void PrinterListe::ShowPrinters(const QStringList& printerNames)
{
    show();
    raise();
    activateWindow();
    Druckerliste->clear();
    Druckerliste->addItems(printerNames);
    Druckerliste->setCurrentRow(0); // a keyboard user starts on the first printer
    Druckerliste->setFocus();
}

void PrinterListe::Druckerliste_Click()
{
    const QListWidgetItem* chosen = Druckerliste->currentItem();
    const QString name = chosen != nullptr ? chosen->text() : QString();
    if (const std::optional<int> index = FirstPrinterNamed(printers_.printerNames(), name))
        printers_.selectPrinter(*index);
    PrintOnCurrentPrinter(printers_, platform_, state_, snapshot_());
    hide();
}

bool PrinterListe::eventFilter(QObject* watched, QEvent* event)
{
    if (IsEscapePress(event)) {
        close();
        return true;
    }
    if (watched == Druckerliste && IsEnterPress(event)) {
        if (Druckerliste->currentItem() != nullptr)
            Druckerliste_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PrinterListe::closeEvent(QCloseEvent* event)
{
    state_.ReadoutEnabled = true;
    QWidget::closeEvent(event);
}

} // namespace marn
