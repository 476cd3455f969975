#pragma once

#include "settings/placementsearch.h"

#include <QDialog>
#include <QList>
#include <memory>

class PnPEntry;

namespace Ui {
class Search_dlg;
}

// Finds placements of both sides by their texts and lets the user pick one; the main window
// then shows the located placement. It holds the entries it found, not their positions, so a
// hit still names the same placement after a delete, a sort, a move to the other side or an
// import, and a hit whose placement is gone locates nothing.
class Search_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Search_dlg(QWidget* parent = nullptr);
    ~Search_dlg() override;

    // The placements to search: top side first, then bottom (not owned). Hits whose
    // placement is in neither list are forgotten.
    void setPlacements(const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom);
    // Empties the lists and the results (new document).
    void reset();

    void setTerm(const QString& term);
    SearchOptions options() const;
    // The located placement as an index into top followed by bottom; -1 = none.
    int locatedIndex() const;
    PnPEntry* locatedEntry() const { return m_located; }
    void clearLocated() { m_located = nullptr; }
    int hitCount() const { return m_hits.size(); }

    static QString noTermTitle();
    static QString noTermText();

public slots:
    void on_searchBtn_clicked();
    void on_result_box_currentRowChanged(int row);
    void on_relocate_Btn_clicked();
    void on_OK_Btn_clicked();

private:
    void runSearch();
    std::unique_ptr<Ui::Search_dlg> ui;
    QList<PnPEntry*> m_top;
    QList<PnPEntry*> m_bottom;
    QList<PnPEntry*> m_hits; // null once the placement is gone
    PnPEntry* m_located = nullptr;
    int m_currentRow = -1;
};
