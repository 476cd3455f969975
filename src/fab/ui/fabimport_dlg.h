#pragma once

#include "fab/fabfile.h"
#include "fab/fabpackage.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// Shows the files of a fabrication package with the proposed side and slot of each and the
// reason, lets the user change any row, and hands back the files as the user left them. Files
// without a place and entries left out of an archive are listed too.
class FabImport_dlg : public QDialog
{
    Q_OBJECT
public:
    FabImport_dlg(const QString& packageName, const FabFiles& files, const QList<FabSkipped>& skipped,
        QWidget* parent = nullptr);

    // The files with the sides and slots chosen in the table.
    FabFiles files() const;

    QTableWidget* table() const { return m_table; }

private:
    void updateSummary();

    FabFiles m_files;
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
};
