#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;
class QWidget;

// Every message box, question, file dialog, colour dialog, print dialog and modal
// dialog run goes through this seam, so tests can answer them and read what a user saw.
class Prompt
{
public:
    virtual ~Prompt();

    // `detail`, when given, is the reason behind the fixed text (which file and line failed),
    // shown under it.
    virtual void warning(
        QWidget* parent, const QString& title, const QString& text, const QString& detail = {})
        = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
        = 0;
    // Empty string when the user cancels.
    virtual QString openFileName(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
        = 0;
    virtual QStringList openFileNames(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
        = 0;
    virtual QString saveFileName(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
        = 0;
    // Invalid colour when the user cancels.
    virtual QColor color(QWidget* parent, const QColor& initial, const QString& title) = 0;
    // True when the user accepted the print dialog for this printer.
    virtual bool printDialog(QWidget* parent, QPrinter* printer) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog* dialog) = 0;
};

// The prompt the application uses. Defaults to the real widgets.
Prompt& prompt();
// Installs a replacement (tests); nullptr restores the real one. Not owned.
void setPrompt(Prompt* replacement);

// The real prompt: Qt's message boxes and dialogs.
class WidgetPrompt : public Prompt
{
public:
    void warning(
        QWidget* parent, const QString& title, const QString& text, const QString& detail = {}) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) override;
    QString openFileName(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QStringList openFileNames(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFileName(
        QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QColor color(QWidget* parent, const QColor& initial, const QString& title) override;
    bool printDialog(QWidget* parent, QPrinter* printer) override;
    int exec(QDialog* dialog) override;
};
