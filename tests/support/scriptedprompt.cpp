#include "scriptedprompt.h"

#include <QDialog>

ScriptedPrompt::ScriptedPrompt()
{
    setPrompt(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    setPrompt(nullptr);
}

QList<ScriptedPrompt::Call> ScriptedPrompt::callsOf(const QString& kind) const
{
    QList<Call> out;
    for (const Call& c : calls)
        if (c.kind == kind)
            out.append(c);
    return out;
}

QStringList ScriptedPrompt::said(const QString& kind) const
{
    QStringList out;
    for (const Call& c : callsOf(kind))
        out << c.title + QStringLiteral(": ") + c.text;
    return out;
}

void ScriptedPrompt::warning(QWidget*, const QString& title, const QString& text, const QString& detail)
{
    calls.append({ QStringLiteral("warning"), title, text, QString(), detail });
}

void ScriptedPrompt::information(QWidget*, const QString& title, const QString& text)
{
    calls.append({ QStringLiteral("information"), title, text, QString(), QString() });
}

QMessageBox::StandardButton ScriptedPrompt::question(QWidget*, const QString& title, const QString& text,
    QMessageBox::StandardButtons, QMessageBox::StandardButton)
{
    calls.append({ QStringLiteral("question"), title, text, QString(), QString() });
    return questionAnswers.isEmpty() ? QMessageBox::Cancel : questionAnswers.dequeue();
}

QString ScriptedPrompt::openFileName(
    QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    calls.append({ QStringLiteral("open"), caption, dir, filter, QString() });
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QStringList ScriptedPrompt::openFileNames(
    QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    calls.append({ QStringLiteral("openMany"), caption, dir, filter, QString() });
    return fileListAnswers.isEmpty() ? QStringList() : fileListAnswers.dequeue();
}

QString ScriptedPrompt::saveFileName(
    QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    calls.append({ QStringLiteral("save"), caption, dir, filter, QString() });
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QColor ScriptedPrompt::color(QWidget*, const QColor& initial, const QString& title)
{
    calls.append({ QStringLiteral("color"), title, initial.name(), QString(), QString() });
    return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
}

bool ScriptedPrompt::printDialog(QWidget*, QPrinter*)
{
    calls.append({ QStringLiteral("print"), QString(), QString(), QString(), QString() });
    return printAnswers.isEmpty() ? false : printAnswers.dequeue();
}

int ScriptedPrompt::exec(QDialog* dialog)
{
    calls.append(
        { QStringLiteral("exec"), dialog->windowTitle(), dialog->objectName(), QString(), QString() });
    if (dialogHandlers.isEmpty())
        return QDialog::Rejected;
    const int result = dialogHandlers.dequeue()(dialog);
    dialog->setResult(result);
    return result;
}
