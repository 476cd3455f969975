#pragma once

#include "uikit/prompt.h"

#include <QList>
#include <QQueue>
#include <functional>

// Test double of the prompt seam: records every call and answers from queues.
// An unanswered question returns Cancel, an unanswered file dialog an empty name,
// an unanswered modal dialog Rejected, so a missing script never blocks a test.
class ScriptedPrompt : public Prompt
{
public:
    struct Call
    {
        QString kind; // "warning", "information", "question", "open", "openMany", "save", "color", "print",
                      // "exec"
        QString title; // title or caption; for "exec" the dialog's window title
        QString text; // text; for file dialogs the start directory
        QString filter;
        QString detail; // the reason shown under a warning's text
    };

    ScriptedPrompt(); // installs itself
    ~ScriptedPrompt() override; // restores the real prompt

    QList<Call> calls;
    QQueue<QMessageBox::StandardButton> questionAnswers;
    QQueue<QString> fileAnswers;
    QQueue<QStringList> fileListAnswers;
    QQueue<QColor> colorAnswers;
    QQueue<bool> printAnswers;
    // Each handler gets the dialog before it would be shown, may fill its widgets,
    // and returns QDialog::Accepted or QDialog::Rejected.
    QQueue<std::function<int(QDialog*)>> dialogHandlers;

    // Calls of one kind, in order.
    QList<Call> callsOf(const QString& kind) const;
    // "title: text" of the calls of one kind, in order: what the user was told, in one comparison.
    QStringList said(const QString& kind) const;

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
