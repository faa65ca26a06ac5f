#pragma once
// The picture-directory window: chooses or creates the directory into which
// pictures are saved and stores it in Picture.pat.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace marn {

struct SharedState;
class Platform;
class DriveList;
class DirectoryList;

class frmPicturePath : public QWidget {
    Q_OBJECT

public:
    // The load: places the controls and centres the window.
    frmPicturePath(SharedState& state, Platform& platform, QWidget* parent = nullptr);

    // Starts a choice at the program's directory; runs at every showing.
    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    // "Create a new directory": shows the name field and "Create directory".
    void Command1_Click();
    // "Create directory".
    void Command3_Click();
    // "Select this directory".
    void Command2_Click();

    QLabel* Label1 = nullptr;
    DriveList* Drive1 = nullptr;
    DirectoryList* Dir1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Stores SelectedDir in Picture.pat and PictureDir, then hides the window.
    void SavePicturePath();

    SharedState& state_;
    Platform& platform_;
};

} // namespace marn
