#pragma once
// The windows' font: "Times New Roman" at a size in points (fontconfig gives a
// metric-compatible serif face where the font itself is not installed).

#include <QFont>

namespace marn {

inline QFont DesignFont(double pointSize, bool bold = false)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace marn
