#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    MainWindow window(arguments.value(1));
    window.showMaximized();
    return app.exec();
}
