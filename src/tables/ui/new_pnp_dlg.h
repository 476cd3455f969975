#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

class QLineEdit;

namespace Ui {
class New_PnP_dlg;
}

// Asks for the texts and rotation of a new placement. Each text field takes letters, digits
// and _ - , . only; anything else is replaced by the last text it accepted.
class New_PnP_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit New_PnP_dlg(QWidget* parent = nullptr);
    ~New_PnP_dlg() override;

    QString refDes() const;
    QString name() const;
    QString value() const;
    int rotation() const;

    static bool acceptable(const QString& text);

private:
    void check(QLineEdit* edit);
    // A text still being typed when the dialog closes is checked like a finished one.
    QString checkedText(QLineEdit* edit) const;
    std::unique_ptr<Ui::New_PnP_dlg> ui;
    QHash<QLineEdit*, QString> m_lastGood;
};
