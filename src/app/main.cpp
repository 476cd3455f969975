#include "app/documentsession.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The installed desktop entry and icon theme give the window its icon and its launcher.
    QApplication::setDesktopFileName(QStringLiteral("org.tessavrant.Tessavrant"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessavrant")));
    const QStringList arguments = QCoreApplication::arguments();
    MainWindow window(arguments.value(1));
    window.documentSession().showWindowAtSavedPlace();
    return app.exec();
}
