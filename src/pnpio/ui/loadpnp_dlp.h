#pragma once

#include "pnpio/pnpimport.h"

#include <QDialog>
#include <memory>

namespace Ui {
class loadPnP_dlp;
}

// Import options: which side the new placements go to and whether they replace or
// join the placements already there. Closing it any other way than "OK" cancels.
class loadPnP_dlp : public QDialog
{
    Q_OBJECT
public:
    explicit loadPnP_dlp(QWidget* parent = nullptr);
    ~loadPnP_dlp() override;

    // For files without sides: "No Changes" is disabled and "Top" selected.
    void setFileHasSides(bool fileHasSides);

    // 0 Top, 1 Bottom, 2 No Changes.
    int side() const;
    bool add() const;
    PnPImportOptions options() const;

private:
    std::unique_ptr<Ui::loadPnP_dlp> ui;
};
