#include "ui/ApplicationSetup.h"
#include "ui/MainWin.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quillery::ui::setUpApplication();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    quillery::ui::TmainFrm window(nullptr, arguments);
    window.show();
    return app.exec();
}
