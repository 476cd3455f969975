#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>

// The texts of a shown dialog that its widgets cut off at the current font: a label, button or
// group title narrower than its text. With TESSAVRANT_SHOT_DIR set, the dialog is also saved as
// a picture there, to be looked at.
inline QStringList cutTexts(QDialog& dialog, const QString& shotName)
{
    dialog.show();
    dialog.adjustSize();
    dialog.resize(dialog.size().expandedTo(dialog.minimumSize()));
    if (const QByteArray dir = qgetenv("TESSAVRANT_SHOT_DIR"); !dir.isEmpty())
        dialog.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(shotName + QStringLiteral(".png")));
    QStringList cut;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->isVisible() && label->width() < label->sizeHint().width())
            cut << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisible() && button->width() < button->sizeHint().width())
            cut << button->text();
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
        if (box->isVisible() && box->width() < box->fontMetrics().horizontalAdvance(box->title()) + 8)
            cut << box->title();
    return cut;
}

// A dialog's (or window's) widget by object name; a missing one stops the test program.
template <typename T> T* child(const QObject* parent, const char* name)
{
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}
