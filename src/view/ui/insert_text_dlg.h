#pragma once

#include <QDialog>
#include <QFont>

class QFontComboBox;
class QLineEdit;
class QSpinBox;

// Asks for the text of a text drawing: the text, its font and its size (drawn with a pixel
// size of size × zoom / 10, so 10 is one millimetre).
class insert_text_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit insert_text_dlg(QWidget* parent = nullptr);

    QString text() const;
    QFont selectedFont() const;
    int textSize() const;

    QLineEdit* textEdit() const { return m_text; }
    QSpinBox* sizeBox() const { return m_size; }

private:
    QLineEdit* m_text;
    QFontComboBox* m_font;
    QSpinBox* m_size;
};
