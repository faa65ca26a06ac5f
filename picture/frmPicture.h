#pragma once
// The picture window: a full-screen window whose load samples the heights of
// the display area and draws the framed height picture with its coordinate
// labels, scale bar, minimum and maximum height and colour legend. After the
// load it reacts to the mouse (height readout), its menu, Exit and the
// navigation: the wheel, a double-click and keys load the next view with the
// same whole load, "Back" the one before, "New area…" hands over to the input
// window; "Relief shading" redraws the pixels shaded.
//
// The menu bar sits in the window's frame; everything below it is the client
// area (the central widget), which holds the drawing surface Picture1 and the
// hidden Picture2. All other controls lie on Picture1, positioned in its pixels.

#include "picture/CoordinateLabels.h"
#include "picture/HeightClasses.h"
#include "picture/Navigation.h"
#include "picture/PictureCache.h"
#include "picture/PictureLayout.h"

#include <QMainWindow>
#include <QPointF>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QElapsedTimer;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace marn {

struct SharedState;
class Platform;
class PictureCommands;
class PictureBox;
class Fortschritt;
class frmWait;
class Einzelergebnis;
class frmProfile;
class ProfileOverlay;

class frmPicture : public QMainWindow {
    Q_OBJECT

public:
    frmPicture(SharedState& state, Platform& platform, QWidget* parent = nullptr);
    ~frmPicture() override;

    // Runs the whole load of the picture: layout, frame and scale bar, grid
    // set-up, coordinate labels, height sampling under the progress window,
    // height range and its checks, pixels and legend under the wait window.
    // Every load starts from what a new window shows (coordinate labels,
    // legend and readout hidden, the drawing and the progress bar cleared, no
    // tile file open), so the same view always gives the same picture.
    // Returns false when the program was ended during the load (a read error,
    // an area with nothing to show); the message has been shown through the
    // platform and endProgram() called. Does not show the window.
    bool Form_Load();

    // The first picture: Form_Load(), then shows the window at the top left of
    // the screen when the load succeeded; returns what Form_Load() returned.
    // With a picture shown before (a new area typed in), the view in the
    // shared state is loaded as a navigation step and the window shown again;
    // true, whether the step showed the new picture or was refused.
    bool ShowPicture();

    // Navigation, each doing nothing when the step would leave the accepted
    // centres and lengths: the wheel over the picture area (each notch forward
    // halves the length about the pointer, back doubles it), a double-click
    // (the point becomes the centre), the keys + and - (zoom about the centre)
    // and the arrows (half the picture's height or width), and "Back"
    // (Backspace, Alt+Left: the view shown before, up to ViewHistory::Capacity
    // views back; during a step Back abandons it and what was queued).
    //
    // A step samples its grid aside while the shown picture stays, scaled or
    // shifted as a preview; the new picture replaces it whole when complete. A
    // step whose picture would show nothing, or whose tiles cannot be read,
    // shows the message and leaves the shown picture, its view and history as
    // they were. Steps asked for during a step add up, counted from the view
    // being loaded; the running step is then abandoned for the sum. Recently
    // shown pictures come back from the picture cache without sampling.
    void Picture1_MouseWheel(float x, float y, int angleDelta);
    void Picture1_DblClick(float x, float y);
    void menBack_Click();
    // Loads a view as the next one, remembering the shown one for "Back";
    // nothing when there is no view or no picture is shown.
    void ShowView(const std::optional<View>& view);
    const PictureCache& pictureCache() const { return cache_; }
    // Forgets the kept pictures (benchmarks measure steps that sample).
    void clearPictureCache() { cache_ = PictureCache(); }
    // True from the start of a navigation step until its picture or its
    // message is shown.
    bool stepping() const { return stepping_; }

    // "New area…": hides the picture window and runs the handler (the input
    // window shows itself with the current centre). Does nothing without one.
    void setNewAreaHandler(std::function<void()> handler);
    void menNewArea_Click();

    // "Relief shading", off at the start: redraws the pixels of a finished
    // picture shaded or flat.
    void setReliefShading(bool on);
    bool reliefShading() const;

    // "Classes from the heights shown", off at the start: the height range,
    // the minimum text, the class limits and the legend leave missing points
    // out (they stay grey). Switching it on a finished picture reclassifies
    // the heights already sampled; the next loads keep the setting.
    void setClassesFromShownHeights(bool on);
    bool classesFromShownHeights() const;

    // "Profile" (the P key) starts a line: the first click on the picture
    // fixes its start, the pointer drags the line with its great-circle length
    // beside it, the second click fixes its end and the profile window shows
    // the heights along it; Escape cancels. A right-button drag does the same
    // in one movement. The line stays drawn while the profile window is open,
    // the pointer over the profile marks its point on the line, a new line
    // replaces the profile and every navigation step closes it.
    void menProfile_Click();
    void Picture1_MouseDown(float x, float y, Qt::MouseButton button);
    void Picture1_MouseUp(float x, float y, Qt::MouseButton button);
    void keyCancelLine_Click();
    bool drawingLine() const { return lineStep_ != LineStep::None; }
    frmProfile& profileWindow();
    bool profileWindowCreated() const { return profile_ != nullptr; }
    ProfileOverlay* profileOverlay() const { return overlay_; }

    // The menu entries "Save as", "Print" and "Info" call these commands; the
    // entries do nothing while no commands are set.
    void setCommands(PictureCommands* commands);

    // Everything below the menu bar: what a snapshot of the window shows.
    QWidget* clientArea() const;

    // The mouse readout for a pointer at (x, y) in Picture1's pixels.
    void Picture1_MouseMove(float x, float y);

    // "Exit" button and menu entry: end the program.
    void Command1_Click();
    void menExit_Click();

    // The single instances of the windows the picture window uses, each created
    // on first use.
    Fortschritt& progressWindow();
    frmWait& waitWindow();
    Einzelergebnis& readoutWindow();

    // Controls, each with its objectName set to the member's name. Label arrays
    // carry the names "LabNS(0)" .. "LabNS(15)" and likewise.
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr; // title line
    QLabel* Label2 = nullptr; // scale caption
    QLabel* Label3 = nullptr; // version and maker line
    QLabel* Label4 = nullptr; // minimum height
    QLabel* Label6 = nullptr; // maximum height
    QLabel* Label8 = nullptr; // legend heading
    QLabel* Label9 = nullptr; // legend rows 1 .. 12
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLineEdit* Text1 = nullptr; // legend swatches 1 .. 12
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLineEdit* Text11 = nullptr;
    QLineEdit* Text12 = nullptr;
    std::array<QLabel*, 16> LabNS{};  // latitudes along the left edge
    std::array<QLabel*, 16> LabEWO{}; // longitudes above the picture
    std::array<QLabel*, 16> LabEWU{}; // longitudes below the picture

    QAction* menExit = nullptr;
    QMenu* menPicture = nullptr;
    QAction* MenPictSave = nullptr;
    QAction* menPictPrint = nullptr;
    QAction* menPictGeoTiff = nullptr;
    QAction* menInfo = nullptr;
    QMenu* menView = nullptr;
    QAction* menBack = nullptr;
    QAction* menNewArea = nullptr;
    QAction* menRelief = nullptr;
    QAction* menClassesShown = nullptr;
    QAction* menProfile = nullptr;
    QAction* keyCancelLine = nullptr; // Escape while a line is drawn
    QWidget* stepBar = nullptr;       // thin bar over the picture's top edge during a long step
    // Keys of the window without a menu entry: + and - (also on the keypad)
    // and the four arrows.
    QAction* keyZoomIn = nullptr;
    QAction* keyZoomOut = nullptr;
    QAction* keyNorth = nullptr;
    QAction* keySouth = nullptr;
    QAction* keyWest = nullptr;
    QAction* keyEast = nullptr;

    // Legend rows 1 .. 12 (Label9 .. Label20) and their swatches (Text1 .. Text12).
    QLabel* legendLabel(int row) const;
    QLineEdit* legendSwatch(int row) const;

    // What the last load computed and drew.
    const ScaleBar& scaleBar() const { return scaleBar_; }
    const CoordinateLabelSet& coordinateLabels() const { return labels_; }
    // The range that the minimum and maximum texts and the class limits show.
    HeightRange heightRange() const { return range_; }
    const ClassLimits& classLimits() const { return limits_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class StepEnd { Shown, Outdated, Refused };
    void createControls();
    // A view a step heads for or samples, with the picture area on show.
    struct Aside {
        View view;
        PictureGrid grid;
    };
    // A step: the view it asks for, from a view and its picture's frame.
    using Step = std::function<std::optional<View>(const View&, const PictureGrid&)>;
    void navigate(const Step& step);
    Aside& aside(std::unique_ptr<Aside>& slot, const View& view) const;
    void aimAt(const View& view);
    void runSteps(View view, bool back);
    StepEnd loadStep(const View& view, bool remember);
    void stepRowDone(int row, const QElapsedTimer& clock, qint64& lastEvents, bool abandonable);
    void rememberShown(bool remember);
    void showCached(CachedPicture picture);
    void showPreview(const View& view);
    void drawSteppedPicture();
    void showRangeLabels();
    void updateBack();
    void createMenu();
    void createViewMenu();
    void clearPicture();
    bool loadAndShow();
    void placeTitleLines();
    void drawFrameAndScale();
    bool sampleHeights();
    bool showHeightRange();
    HeightRange shownRange() const;
    void reclassify();
    void drawPixels();
    void drawLegend();
    void showLineTo(float x, float y);
    void finishLine(float x, float y);
    void cancelLine();
    void closeProfile();
    void markProfilePoint(int index);
    void MenPictSave_Click();
    void menPictPrint_Click();
    void menPictGeoTiff_Click();
    void menInfo_Click();

    SharedState& state_;
    Platform& platform_;
    PictureCommands* commands_ = nullptr;
    QWidget* client_ = nullptr;
    std::unique_ptr<Fortschritt> progress_;
    std::unique_ptr<frmWait> wait_;
    std::unique_ptr<Einzelergebnis> readout_;
    std::array<QLabel*, 12> legendLabels_{};
    std::array<QLineEdit*, 12> legendSwatches_{};
    PictureLayout layout_;
    ScaleBar scaleBar_;
    CoordinateLabelSet labels_;
    HeightRange range_;
    ClassLimits limits_{};
    std::optional<View> shownView_; // the view of the picture on show
    ViewHistory history_;
    PictureCache cache_;
    std::vector<QLabel*> pictureLabels_; // every label on Picture1
    std::unique_ptr<Aside> next_;        // the grid a step samples into
    std::unique_ptr<Aside> target_;      // the frame of the view a step heads for
    std::optional<View> queued_;         // asked for during a step
    bool stepping_ = false;
    bool cancelStep_ = false;
    int wheelDelta_ = 0;   // wheel turns not yet a whole notch
    bool loading_ = false; // a load started by ShowPicture or Back runs
    std::function<void()> newAreaHandler_;
    enum class LineStep { None, Start, End, Drag };
    LineStep lineStep_ = LineStep::None;
    QPointF lineStart_;
    QPointF profileLineStart_; // the line of the profile on show, in Picture1's pixels
    QPointF profileLineEnd_;
    ProfileOverlay* overlay_ = nullptr;
    std::unique_ptr<frmProfile> profile_;
};

} // namespace marn
