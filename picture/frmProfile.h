#pragma once
// The profile window: the heights along the great circle between two points
// of the picture, with the line's ends, its length, lowest and highest point,
// ascent and descent; the pointer over the plot shows distance, height and
// position of the point under it (and the picture window marks it). Its menu
// saves the profile as PNG or CSV and prints it through the picture's printer
// choice. One window, created on first use and shown again for the next line.

#include "core/Profile.h"

#include <QMainWindow>

#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace marn {

struct FolderSettings;
class Platform;
class PictureCommands;
class ProfilePlot;

class frmProfile : public QMainWindow {
    Q_OBJECT

public:
    frmProfile(const FolderSettings& folders, Platform& platform, QWidget* parent = nullptr);

    // Shows the window with this profile in place of the one before.
    void ShowProfile(const ProfileLine& line, const std::vector<ProfileSample>& samples);
    const ProfileLine& line() const { return line_; }
    const std::vector<ProfileSample>& samples() const { return samples_; }

    // "Print" hands the page to these commands; nothing while none are set.
    void setCommands(PictureCommands* commands);

    // Writes the page (PNG) or the samples (CSV); on failure a message names
    // the file and the reason. Return whether the file was written.
    bool savePng(const QString& path);
    bool saveCsv(const QString& path);
    // The page that is saved and printed.
    QImage page() const;

    // The pointer over the plot: the point's text below the plot.
    void Plot_Hovered(int index);

    ProfilePlot* Plot = nullptr;
    QLabel* LabelPoint = nullptr;
    QMenu* menProfileFile = nullptr;
    QAction* menSavePng = nullptr;
    QAction* menSaveCsv = nullptr;
    QAction* menProfilePrint = nullptr;
    QAction* menProfileClose = nullptr;

signals:
    // The sample under the pointer, -1 when none.
    void hovered(int index);
    // The window was closed (its close box, "Close" or Escape).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void menSave_Click(bool png);

    const FolderSettings& folders_;
    Platform& platform_;
    PictureCommands* commands_ = nullptr;
    ProfileLine line_;
    std::vector<ProfileSample> samples_;
};

} // namespace marn
