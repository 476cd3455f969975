#include "settings/ui/search_dlg.h"

#include "ui_search_dlg.h"
#include "uikit/prompt.h"

#include <QSet>

Search_dlg::Search_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Search_dlg)
{
    ui->setupUi(this);
}

Search_dlg::~Search_dlg() = default;

QString Search_dlg::noTermTitle()
{
    return QStringLiteral("Kein Suchbegriff");
}

QString Search_dlg::noTermText()
{
    return QStringLiteral("Bitte Suchbegriff eingeben");
}

void Search_dlg::setPlacements(const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom)
{
    // The lists arrive on every tick; unchanged ones still share their data with the last ones.
    const bool unchanged = top.isSharedWith(m_top) && bottom.isSharedWith(m_bottom);
    m_top = top;
    m_bottom = bottom;
    if (unchanged || (m_hits.isEmpty() && !m_located))
        return;
    QSet<const PnPEntry*> present;
    present.reserve(top.size() + bottom.size());
    for (const QList<PnPEntry*>* list : { &m_top, &m_bottom })
        for (const PnPEntry* e : *list)
            present.insert(e);
    for (PnPEntry*& hit : m_hits)
        if (!present.contains(hit))
            hit = nullptr;
    if (!present.contains(m_located))
        m_located = nullptr;
}

void Search_dlg::reset()
{
    m_top.clear();
    m_bottom.clear();
    m_hits.clear();
    m_located = nullptr;
    m_currentRow = -1;
    ui->result_box->clear();
}

void Search_dlg::setTerm(const QString& term)
{
    ui->searchTerm->setText(term);
}

SearchOptions Search_dlg::options() const
{
    SearchOptions o;
    o.term = ui->searchTerm->text();
    o.refDes = ui->searchForRefDes->isChecked();
    o.name = ui->searchForName->isChecked();
    o.value = ui->searchForValue->isChecked();
    o.comment = ui->searchForComment->isChecked();
    o.mode = ui->standardSearch->isChecked() ? SearchMode::Standard
        : ui->absoluteSearch->isChecked()    ? SearchMode::Absolute
                                             : SearchMode::None;
    o.side = ui->radioButtonTop->isChecked() ? SearchSide::Top
        : ui->radioButtonBottom->isChecked() ? SearchSide::Bottom
                                             : SearchSide::Both;
    return o;
}

int Search_dlg::locatedIndex() const
{
    if (!m_located)
        return -1;
    const int top = m_top.indexOf(m_located);
    if (top >= 0)
        return top;
    const int bottom = m_bottom.indexOf(m_located);
    return bottom >= 0 ? m_top.size() + bottom : -1;
}

void Search_dlg::on_searchBtn_clicked()
{
    // A term of spaces would match every placement: it counts as no term.
    if (PlacementSearch::normalisedTerm(ui->searchTerm->text()).isEmpty()) {
        prompt().warning(this, noTermTitle(), noTermText());
        return;
    }
    runSearch();
}

void Search_dlg::runSearch()
{
    m_located = nullptr;
    m_currentRow = -1;
    const bool blocked = ui->result_box->blockSignals(true);
    ui->result_box->clear();
    ui->result_box->blockSignals(blocked);
    m_hits.clear();
    const QList<PnPEntry*> all = m_top + m_bottom;
    QStringList texts;
    for (const SearchHit& hit : PlacementSearch::run(all, options())) {
        m_hits.append(all.at(hit.index));
        texts.append(hit.text);
    }
    ui->result_box->addItems(texts);
}

void Search_dlg::on_result_box_currentRowChanged(int row)
{
    // Clearing the list reports row -1: that is no hit.
    if (row < 0 || row >= m_hits.size())
        return;
    m_currentRow = row;
    m_located = m_hits.at(row);
}

void Search_dlg::on_relocate_Btn_clicked()
{
    if (ui->result_box->selectedItems().isEmpty() || m_currentRow < 0 || m_currentRow >= m_hits.size())
        return;
    m_located = m_hits.at(m_currentRow);
}

void Search_dlg::on_OK_Btn_clicked()
{
    close();
}
