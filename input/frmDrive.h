#pragma once
// The drive window: edits the data drive stored in Drive.dat. A drive letter
// (or a Windows-style drive and path) is typed over as one upper-case letter;
// a native folder path is shown whole, typed as it is, and can be chosen with
// "Browse…".

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

    // Selects the drive letter (or the whole folder path) in Text1 and puts the
    // focus there, so that typing replaces it.
    void Form_Activate();
    // Saves the drive into Drive.dat and hides the window. A folder without a
    // MARN directory is only kept when the user says so.
    void Command1_Click();
    // "Browse…": a folder chosen in the folder chooser becomes the field's text.
    void Command2_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Text1_Change();
    // The design layout for a drive letter; for a folder a field as wide as the
    // path (within the screen) with "Browse…" after it, growing as it is typed.
    void arrange();

    SharedState& state_;
    Platform& platform_;
    bool folderLayout_ = false;
};

} // namespace marn
