#include "input/DirectoryList.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

namespace marn {

namespace {

// How long a chosen directory is kept in view while the tree fills in.
constexpr int FollowMs = 1500;

// Hidden folders stay out of the tree, unless the chosen path runs through
// one (the program's own folder may lie below one).
QDir::Filters ShownDirectories(const QString& path)
{
    QDir::Filters filters = QDir::AllDirs | QDir::NoDotAndDotDot;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1Char('.')))
            filters |= QDir::Hidden;
    }
    return filters;
}

} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(ShownDirectories(QString()));
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DirectoryList::pathChanged);
    // The tree fills and sorts itself in the background: for a moment after a
    // directory is chosen, keep it in view while the rows around it arrive.
    const auto follow = [this] {
        if (following_ && currentIndex().isValid())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(model_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
}

QString DirectoryList::path() const
{
    return currentIndex().isValid() ? model_->filePath(currentIndex()) : QString();
}

void DirectoryList::setPath(const QString& path)
{
    if (const QDir::Filters filters = ShownDirectories(path); filters != model_->filter())
        model_->setFilter(filters);
    const QModelIndex index = model_->index(path);
    if (!index.isValid() || !model_->isDir(index))
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    following_ = true;
    QTimer::singleShot(FollowMs, this, [this] { following_ = false; });
}

} // namespace marn
