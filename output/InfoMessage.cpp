#include "output/InfoMessage.h"

#include <QStringList>

namespace marn {

QString InfoMessage()
{
    return QStringList{
        "Marn viewer V 2.0",
        "",
        "KETTA MARN project",
        "Lindenstrasse 17",
        "79100 Talheim",
        "Telephone +49 761 555 0142",
        "E-mail viewer@ketta-marn.example",
        "Web www.ketta-marn.example",
    }
        .join("\r\n");
}

} // namespace marn
