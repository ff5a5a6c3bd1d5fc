#include "ui/ApplicationSetup.h"

#include "base/ProductInfo.h"
#include "ui/ProgramIcon.h"
#include "ui/Translation.h"

#include <QApplication>

namespace quillery::ui {

void setUpApplication()
{
    QApplication::setApplicationName(QString::fromUtf16(ProductName));
    QApplication::setOrganizationName(QStringLiteral("Tollvern"));
    QApplication::setWindowIcon(programIcon());
    // Before any window is made: widgets take their texts as they are built.
    applyStoredLanguage();
}

} // namespace quillery::ui
