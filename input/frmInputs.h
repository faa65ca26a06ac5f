#pragma once
// The start-up window: asks for the centre point and the west-east length of
// the display area, checks them and hands over to the picture window. Its menu
// bar opens the two settings windows, and every activation reloads the settings.

#include "input/InputChecks.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace marn {

struct SharedState;
class Platform;
class PictureCommands;
class SettingsWindowSet;
class frmPicture;

class frmInputs : public QMainWindow {
    Q_OBJECT

public:
    // The load: builds the window and centres it. The commands are handed to
    // the picture window's menu (may be nullptr).
    frmInputs(SharedState& state, Platform& platform, PictureCommands* commands, QWidget* parent = nullptr);
    ~frmInputs() override;

    // At every activation: OpenTileName := "", then LoadSettings.
    void Form_Activate();
    // OK: the check and the hand-over.
    void Command1_Click();
    // Cancel: ends the program.
    void Command2_Click();
    void Drive_Click();
    void PicPath_Click();
    // "New area…" in the picture window: the fields show the current centre
    // and length, and the window takes input again until OK or Cancel.
    void ShowForNewArea();

    SettingsWindowSet& settingsWindows() { return *settings_; }
    // The picture window; nullptr until a successful OK has created it.
    frmPicture* pictureWindow() const { return picture_.get(); }

    // Text1 .. Text7 by field.
    QLineEdit* field(Field which) const { return fields_[which]; }

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    std::array<QLabel*, 10> Labels{}; // Label1 .. Label10
    QAction* Drive = nullptr;
    QAction* PicPath = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createFields();
    void createButtons();
    void createLabels();
    void createMenu();
    void DigitChange(QLineEdit& field);
    void LetterChange(QLineEdit& field);
    void HandOver(const CenterPoint& point);
    void EndProgram();

    SharedState& state_;
    Platform& platform_;
    PictureCommands* commands_;
    QWidget* client_ = nullptr;
    std::array<QLineEdit*, FieldCount> fields_{};
    std::unique_ptr<SettingsWindowSet> settings_;
    std::unique_ptr<frmPicture> picture_;
    bool handedOver_ = false;
    bool ending_ = false;
};

} // namespace marn
