#include "input/DriveList.h"

#include <QStorageInfo>

namespace marn {

namespace {

bool IsPseudoFileSystem(const QStorageInfo& volume)
{
    static const QStringList pseudo{"proc", "sysfs", "tmpfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "overlay",
        "squashfs", "securityfs", "debugfs", "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "pstore", "bpf",
        "autofs", "binfmt_misc", "nsfs", "efivarfs", "ramfs"};
    return pseudo.contains(QString::fromLatin1(volume.fileSystemType())) && volume.rootPath() != QLatin1String("/");
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    addItems(MountedVolumes());
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

QStringList DriveList::MountedVolumes()
{
    QStringList paths{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume))
            continue;
        if (!paths.contains(volume.rootPath()))
            paths.append(volume.rootPath());
    }
    return paths;
}

QString DriveList::drive() const
{
    return currentText();
}

void DriveList::setDrive(const QString& path)
{
    const QString mount = QStorageInfo(path).isValid() ? QStorageInfo(path).rootPath() : QStringLiteral("/");
    int index = findText(mount);
    if (index < 0) {
        addItem(mount);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

} // namespace marn
