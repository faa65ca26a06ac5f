#pragma once
// The directory list of the picture-directory window: the directory tree of
// the file system, directories only, one directory chosen.

#include <QTreeView>

class QFileSystemModel;

namespace marn {

class DirectoryList : public QTreeView {
    Q_OBJECT

public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // The chosen directory; "" when none is chosen.
    QString path() const;

    // Chooses the directory, opens the tree down to it and scrolls it into view.
    // Raises pathChanged when the choice changes; a path that does not name a
    // directory changes nothing.
    void setPath(const QString& path);

signals:
    void pathChanged();

private:
    QFileSystemModel* model_;
    bool following_ = false;
};

} // namespace marn
