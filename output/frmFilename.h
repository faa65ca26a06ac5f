#pragma once
// The file-name window of "Save as": asks for the base name of the bitmap file
// and writes the snapshot held by the picture window into the picture
// directory. Created on first use, afterwards only hidden and shown again, so
// it keeps the name last entered.

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace marn {

struct SharedState;
class Platform;

// What the window saves: its prompt, the endings added to the typed name (one
// file each, all in the picture directory) and how file `index` is written to
// a native path (the reason when that fails).
struct SaveTarget {
    QString prompt;
    QStringList endings;
    std::function<std::optional<QString>(int index, const QString& nativePath)> write;
};

class frmFilename : public QWidget {
    Q_OBJECT

public:
    // `snapshot` yields the picture to save at the moment Ok is pressed.
    frmFilename(SharedState& state, Platform& platform, std::function<QImage()> snapshot);
    // The same window for other files of the picture.
    frmFilename(SharedState& state, Platform& platform, SaveTarget target);

    // Focus into Text1; runs whenever the window becomes active.
    void Form_Activate();
    // "Ok": checks the name, asks before replacing a file, saves and reports.
    // Enter in the name field or on "Ok" does the same.
    void Command1_Click();
    // "Cancel": closes the window without saving; so does Escape.
    void Command2_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void keepOpen();
    void finish();

    SharedState& state_;
    Platform& platform_;
    SaveTarget target_;
};

} // namespace marn
