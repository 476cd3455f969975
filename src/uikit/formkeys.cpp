#include "uikit/formkeys.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// Swallows the Enter that a field passes on to its dialog, where QDialog would click the default
// button. Button boxes make their OK the default when they are shown, so clearing the default
// flags alone does not hold.
class EnterStaysInForm : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace FormKeys {

void keepOpenOnEnter(QDialog* dialog)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    dialog->installEventFilter(new EnterStaysInForm(dialog));
}

} // namespace FormKeys
