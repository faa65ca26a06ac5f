#pragma once
// Control arrays of labels: N labels on one parent, addressed by index and
// named "<name>(<index>)", hidden until a handler shows them.

#include <QLabel>
#include <QString>

#include <array>
#include <cstddef>

namespace marn {

template <std::size_t N>
std::array<QLabel*, N> MakeLabelArray(
    QWidget* parent, const QString& name, const QSize& size, Qt::Alignment alignment, const QFont& font)
{
    std::array<QLabel*, N> labels{};
    for (std::size_t i = 0; i < N; ++i) {
        auto* label = new QLabel(parent);
        label->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(i));
        label->resize(size);
        label->setAlignment(alignment);
        label->setFont(font);
        label->hide();
        labels[i] = label;
    }
    return labels;
}

} // namespace marn
