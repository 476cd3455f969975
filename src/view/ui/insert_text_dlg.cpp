#include "view/ui/insert_text_dlg.h"

#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

insert_text_dlg::insert_text_dlg(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
    , m_font(new QFontComboBox(this))
    , m_size(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Insert Text"));
    m_text->setObjectName(QStringLiteral("text"));
    m_font->setObjectName(QStringLiteral("font"));
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setRange(1, 1000);
    m_size->setValue(20);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Text:"), m_text);
    form->addRow(QStringLiteral("Font:"), m_font);
    form->addRow(QStringLiteral("Size:"), m_size);
    form->addRow(buttons);
    m_text->setFocus();
}

QString insert_text_dlg::text() const
{
    return m_text->text();
}

QFont insert_text_dlg::selectedFont() const
{
    return m_font->currentFont();
}

int insert_text_dlg::textSize() const
{
    return m_size->value();
}
