#include "uikit/prompt.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>

Prompt::~Prompt() = default;

namespace {
Prompt* installed = nullptr;
}

Prompt& prompt()
{
    static WidgetPrompt real;
    return installed ? *installed : real;
}

void setPrompt(Prompt* replacement)
{
    installed = replacement;
}

void WidgetPrompt::warning(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    if (detail.isEmpty()) {
        QMessageBox::warning(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    box.exec();
}

void WidgetPrompt::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

QMessageBox::StandardButton WidgetPrompt::question(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::question(parent, title, text, buttons, defaultButton);
}

QString WidgetPrompt::openFileName(
    QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QStringList WidgetPrompt::openFileNames(
    QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString WidgetPrompt::saveFileName(
    QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QColor WidgetPrompt::color(QWidget* parent, const QColor& initial, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title);
}

bool WidgetPrompt::printDialog(QWidget* parent, QPrinter* printer)
{
    QPrintDialog dialog(printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
}

int WidgetPrompt::exec(QDialog* dialog)
{
    return dialog->exec();
}
