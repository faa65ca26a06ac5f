#pragma once
// The drive window: edits the data drive stored in Drive.dat.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace marn {

struct SharedState;
class Platform;

class frmDrive : public QWidget {
    Q_OBJECT

public:
    // The load: places the controls, fills Text1 from DataDrive, centres the window.
    frmDrive(SharedState& state, Platform& platform, QWidget* parent = nullptr);

    // Selects the first character of Text1 and puts the focus there.
    void Form_Activate();
    // Saves the drive into Drive.dat and hides the window.
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Text1_Change();

    SharedState& state_;
    Platform& platform_;
};

} // namespace marn
