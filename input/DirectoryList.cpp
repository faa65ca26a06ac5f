#include "DirectoryList.h"

#include <QFileSystemModel>
#include <QHeaderView>

namespace marn {

DirectoryList::DirectoryList(QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DirectoryList::pathChanged);
}

QString DirectoryList::path() const
{
    return currentIndex().isValid() ? model_->filePath(currentIndex()) : QString();
}

void DirectoryList::setPath(const QString& path)
{
    const QModelIndex index = model_->index(path);
    if (!index.isValid() || !model_->isDir(index))
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollTo(index);
}

} // namespace marn
