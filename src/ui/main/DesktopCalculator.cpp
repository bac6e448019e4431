#include "DesktopCalculator.h"

#include <QProcess>
#include <QStandardPaths>

namespace revora {

QStringList DesktopCalculatorPrograms()
{
    return {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"};
}

bool StartDesktopCalculator(const QStringList& programs)
{
    for (const QString& program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    return false;
}

} // namespace revora
