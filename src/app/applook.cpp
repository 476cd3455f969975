#include "app/applook.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace AppLook {

QPalette darkPalette()
{
    const QColor grey(127, 127, 127);
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, grey);
    p.setColor(QPalette::Dark, QColor(35, 35, 35));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, grey);
    return p;
}

void apply()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || app->property("tessavrantLook").toBool())
        return;
    app->setProperty("tessavrantLook", true);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QFont font = QApplication::font();
    font.setPointSize(font.pointSize() + 2);
    QApplication::setFont(font);
    QApplication::setPalette(darkPalette());
}

} // namespace AppLook
