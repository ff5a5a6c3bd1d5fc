#include "ui/ApplicationSetup.h"

#include "base/ProductInfo.h"
#include "ui/ProgramIcon.h"

#include <QApplication>

namespace quillery::ui {

void setUpApplication()
{
    QApplication::setApplicationName(QString::fromUtf16(ProductName));
    QApplication::setOrganizationName(QStringLiteral("Tollvern"));
    QApplication::setWindowIcon(programIcon());
}

} // namespace quillery::ui
