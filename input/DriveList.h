#pragma once
// The drive list of the picture-directory window. On this system a drive is a
// mounted volume: the list offers the mounted volumes (the root first, pseudo
// file systems left out) and reports the chosen one as its mount path.

#include <QComboBox>

namespace marn {

class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // The mount path of the chosen volume.
    QString drive() const;

    // Chooses the volume that holds the path; raises driveChanged when the choice changes.
    void setDrive(const QString& path);

    // The mount paths of the volumes on offer, the root first.
    static QStringList MountedVolumes();

signals:
    void driveChanged();
};

} // namespace marn
