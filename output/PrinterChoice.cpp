#include "output/PrinterChoice.h"

namespace marn {

std::optional<int> FirstPrinterNamed(const QStringList& printerNames, const QString& name)
{
    for (int i = 0; i < printerNames.size(); ++i) {
        if (printerNames[i].compare(name, Qt::CaseSensitive) == 0)
            return i;
    }
    return std::nullopt;
}

} // namespace marn
