#include "settings/SettingsStore.h"
#include "ui/MainWin.h"
#include "ui/ProgramIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tollvern Quillery"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tollvern Quillery"));
    QApplication::setOrganizationName(QStringLiteral("Tollvern"));
    QApplication::setWindowIcon(quillery::ui::programIcon());

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    quillery::ui::TmainFrm window(nullptr, arguments);
    window.show();
    return app.exec();
}
