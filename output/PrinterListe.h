#pragma once
// The printer list of "Print" when more than one printer is installed: a single
// click on a printer's name prints the snapshot on it at once. Created on first
// use, afterwards only hidden and shown again.

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;

namespace marn {

struct SharedState;
class Platform;
class PrinterService;

class PrinterListe : public QWidget {
    Q_OBJECT

public:
    // `snapshot` yields the picture to print at the moment a printer is picked.
    PrinterListe(SharedState& state, Platform& platform, PrinterService& printers, std::function<QImage()> snapshot);

    // Shows the window and fills the list with the printers' names in order.
    void ShowPrinters(const QStringList& printerNames);

    // A click on a line: makes the first printer of that name the current one,
    // prints on it and hides the window. Enter on the chosen line does the
    // same; Escape closes the window as its close box does.
    void Druckerliste_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* Druckerliste = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();

    SharedState& state_;
    Platform& platform_;
    PrinterService& printers_;
    std::function<QImage()> snapshot_;
};

} // namespace marn
