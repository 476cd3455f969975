#pragma once

#include "line/lineconfig.h"

#include <QDialog>
#include <QModelIndex>
#include <memory>

class Machine;

namespace Ui {
class Linie_dlg;
}

// Edits the production lines and their machines (with benches, heads, cameras and multipick
// groups). The one instance lives as long as the main window and owns the machines; "OK"
// writes line.cfg and the machine details beside it. The main window polls changed() to
// refresh its line and machine selectors.
class Linie_dlg : public QDialog
{
    Q_OBJECT
public:
    // Reads line.cfg and the machine details from `configFolder`.
    explicit Linie_dlg(const QString& configFolder, QWidget* parent = nullptr);
    ~Linie_dlg() override;

    // Re-reads the files of the configuration folder (after an import); every machine is
    // destroyed and line 0 becomes current.
    void reload();

    const LineConfig& config() const { return m_config; }
    const QList<ProductionLine>& lines() const { return m_config.lines(); }
    QList<Machine*> currentLineMachines() const;
    QStringList lineNames() const { return m_config.lineNames(); }
    int currentLine() const { return m_currentLine; }
    void setCurrentLine(int index);
    bool changed() const { return m_changed; }
    void setChanged(bool on) { m_changed = on; }
    void clearFeeders();

    // Writes line.cfg and the details file; false with the reason.
    bool save(QString* error);
    QString linePath() const;
    QString detailsPath() const;

private slots:
    void on_addMachineButton_clicked();
    void on_deleteMachineButton_clicked();
    void on_oneUp_clicked();
    void on_oneDown_clicked();
    void on_machineList_currentRowChanged(int row);
    void on_machineList_clicked(const QModelIndex& index);
    void on_nameField_editingFinished();
    void on_machineType_currentIndexChanged(int index);
    void on_fbCount_valueChanged(int count);
    void on_currBench_currentIndexChanged(int index);
    void on_benchType_currentIndexChanged(int index);
    void on_benchXpos_valueChanged(double);
    void on_benchYpos_valueChanged(double);
    void on_benchRot_valueChanged(double value);
    void on_benchPitch_valueChanged(double value);
    void on_headField_valueChanged(int count);
    void on_currHead_currentIndexChanged(int index);
    void on_headXpos_valueChanged(double);
    void on_headYpos_valueChanged(double);
    void on_multiPickGroup_valueChanged(int value);
    void on_headType_currentIndexChanged(int index);
    void on_headCenterType_currentIndexChanged(int index);
    void on_headCenterCount_valueChanged(int value);
    void on_cam1Xpos_valueChanged(double);
    void on_cam1Ypos_valueChanged(double);
    void on_cam2Xpos_valueChanged(double);
    void on_cam2Ypos_valueChanged(double);
    void on_mpGroupNo_currentIndexChanged(int index);
    void on_multiPickPitch_valueChanged(double value);
    void on_selectline_currentIndexChanged(int index);
    void on_addLine_clicked();
    void on_deleteLine_clicked();
    void on_okButton_clicked();

private:
    QList<Machine*>& working();
    Machine* currentMachine() const;
    struct FeederBench* currentBench() const;
    struct Head* currentHead() const;

    void readFiles();
    void fillLineSelector();
    void fillMachineList(int selectRow);
    void loadMachine(Machine* machine);
    void loadBench();
    void loadHead();
    void updateCameraFields();
    void setMachineWidgetsEnabled(bool on);
    // Refills a "1".."count" selector without its change signal and selects `current`.
    static void fillNumbers(class QComboBox* box, int count, int current);

    std::unique_ptr<Ui::Linie_dlg> ui;
    QString m_folder;
    LineConfig m_config;
    int m_currentLine = 0;
    int m_currentMachine = -1;
    int m_currentBench = 0;
    int m_currentHead = 0;
    int m_currentGroup = 0;
    bool m_changed = false;
    // Set when line.cfg exists but was not read whole: "OK" would then drop machines.
    QString m_readProblem;
};
