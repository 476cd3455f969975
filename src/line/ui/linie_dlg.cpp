#include "line/ui/linie_dlg.h"

#include "line/machine.h"
#include "line/machinedetails.h"
#include "model/fileio.h"
#include "ui_linie_dlg.h"
#include "uikit/formkeys.h"
#include "uikit/prompt.h"

#include <QDebug>
#include <QFileInfo>
#include <QSignalBlocker>

Linie_dlg::Linie_dlg(const QString& configFolder, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Linie_dlg)
    , m_folder(configFolder)
{
    ui->setupUi(this);
    setFixedSize(750, 650);
    for (QPushButton* b : { ui->deleteMachineButton, ui->deleteLine })
        b->setStyleSheet(QStringLiteral("QPushButton { font-weight: bold; color: #FF0000; }"));
    // Enter in a field must not close the dialog, nor click Add Line or Delete.
    FormKeys::keepOpenOnEnter(this);
    {
        const QSignalBlocker block(ui->mpGroupNo);
        for (int g = 1; g <= Machine::multipickGroupCount; ++g)
            ui->mpGroupNo->addItem(QString::number(g));
    }
    readFiles();
}

Linie_dlg::~Linie_dlg() = default;

QString Linie_dlg::linePath() const
{
    return m_folder + QLatin1Char('/') + LineConfig::fileName;
}

QString Linie_dlg::detailsPath() const
{
    return m_folder + QLatin1Char('/') + MachineDetails::fileName;
}

void Linie_dlg::readFiles()
{
    QString error;
    m_readProblem.clear();
    if (!m_config.readFile(linePath(), &error)) {
        qDebug().noquote() << error;
        if (QFileInfo::exists(linePath()))
            m_readProblem = error;
    }
    QByteArray details;
    if (QFileInfo::exists(detailsPath()) && FileIo::readAll(detailsPath(), &details, nullptr))
        MachineDetails::apply(details, m_config);
    m_currentLine = 0;
    fillLineSelector();
    fillMachineList(0);
}

void Linie_dlg::reload()
{
    m_config.clear();
    readFiles();
    m_changed = true;
}

QList<Machine*>& Linie_dlg::working()
{
    return m_config.lines()[m_currentLine].machines;
}

QList<Machine*> Linie_dlg::currentLineMachines() const
{
    return m_config.lines().value(m_currentLine).machines;
}

Machine* Linie_dlg::currentMachine() const
{
    return currentLineMachines().value(m_currentMachine, nullptr);
}

FeederBench* Linie_dlg::currentBench() const
{
    Machine* m = currentMachine();
    return m && m_currentBench >= 0 && m_currentBench < m->benches.size() ? &m->benches[m_currentBench]
                                                                          : nullptr;
}

Head* Linie_dlg::currentHead() const
{
    Machine* m = currentMachine();
    return m && m_currentHead >= 0 && m_currentHead < m->heads.size() ? &m->heads[m_currentHead] : nullptr;
}

void Linie_dlg::setCurrentLine(int index)
{
    if (index < 0 || index >= m_config.lines().size())
        return;
    ui->selectline->setCurrentIndex(index);
    m_changed = true;
}

void Linie_dlg::clearFeeders()
{
    m_config.clearFeeders();
}

bool Linie_dlg::save(QString* error)
{
    if (!m_config.writeFile(linePath(), error))
        return false;
    // The details only add to line.cfg: when they cannot be written the lines are still kept.
    QString detailsError;
    if (!FileIo::writeAtomically(detailsPath(), MachineDetails::serialize(m_config), &detailsError))
        qDebug().noquote() << detailsError;
    m_changed = true;
    return true;
}

void Linie_dlg::fillNumbers(QComboBox* box, int count, int current)
{
    const QSignalBlocker block(box);
    box->clear();
    for (int i = 1; i <= count; ++i)
        box->addItem(QString::number(i));
    box->setCurrentIndex(current);
}

void Linie_dlg::fillLineSelector()
{
    fillNumbers(ui->selectline, m_config.lines().size(), m_currentLine);
}

void Linie_dlg::fillMachineList(int selectRow)
{
    {
        const QSignalBlocker block(ui->machineList);
        ui->machineList->clear();
        for (const Machine* m : currentLineMachines())
            ui->machineList->addItem(m->name);
    }
    const int rows = ui->machineList->count();
    m_currentMachine = -1;
    if (rows == 0) {
        setMachineWidgetsEnabled(false);
        return;
    }
    ui->machineList->setCurrentRow(qBound(0, selectRow, rows - 1));
    // Selecting the row that was already current emits nothing: load it here too.
    if (m_currentMachine != ui->machineList->currentRow())
        on_machineList_currentRowChanged(ui->machineList->currentRow());
}

void Linie_dlg::setMachineWidgetsEnabled(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*> { ui->nameField, ui->machineType, ui->fbCount,
             ui->currBench, ui->benchType, ui->benchXpos, ui->benchYpos, ui->benchRot, ui->benchPitch,
             ui->headField, ui->currHead, ui->headXpos, ui->headYpos, ui->multiPickGroup, ui->headType,
             ui->headCenterType, ui->headCenterCount, ui->mpGroupNo, ui->multiPickPitch, ui->spinBox,
             ui->comboBox, ui->deleteMachineButton, ui->oneUp, ui->oneDown })
        w->setEnabled(on);
    if (on) {
        updateCameraFields();
    } else {
        for (QWidget* w : { ui->cam1Xpos, ui->cam1Ypos, ui->cam2Xpos, ui->cam2Ypos })
            w->setEnabled(false);
    }
}

void Linie_dlg::loadMachine(Machine* m)
{
    {
        const QSignalBlocker b1(ui->nameField), b2(ui->machineType), b3(ui->fbCount), b4(ui->headField),
            b5(ui->mpGroupNo), b6(ui->multiPickPitch);
        ui->nameField->setText(m->name);
        ui->machineType->setCurrentIndex(int(m->type));
        ui->fbCount->setValue(m->benches.size());
        ui->headField->setValue(m->headCount());
        ui->mpGroupNo->setCurrentIndex(0);
        ui->multiPickPitch->setValue(m->multipickGroups.value(0).pitch);
    }
    m_currentGroup = 0;
    m_currentBench = 0;
    m_currentHead = 0;
    fillNumbers(ui->currBench, m->benches.size(), 0);
    fillNumbers(ui->currHead, m->headCount(), 0);
    loadBench();
    loadHead();
}

void Linie_dlg::loadBench()
{
    const FeederBench* b = currentBench();
    if (!b)
        return;
    const QSignalBlocker b1(ui->benchType), b2(ui->benchXpos), b3(ui->benchYpos), b4(ui->benchRot),
        b5(ui->benchPitch);
    ui->benchType->setCurrentIndex(int(b->type));
    ui->benchXpos->setValue(b->x);
    ui->benchYpos->setValue(b->y);
    ui->benchRot->setValue(b->rotation);
    ui->benchPitch->setValue(b->pitch);
}

void Linie_dlg::loadHead()
{
    const Head* h = currentHead();
    if (!h)
        return;
    {
        const QSignalBlocker b1(ui->headXpos), b2(ui->headYpos), b3(ui->multiPickGroup), b4(ui->headType),
            b5(ui->headCenterType), b6(ui->headCenterCount), b7(ui->cam1Xpos), b8(ui->cam1Ypos),
            b9(ui->cam2Xpos), b10(ui->cam2Ypos);
        ui->headXpos->setValue(h->x);
        ui->headYpos->setValue(h->y);
        ui->multiPickGroup->setValue(h->multipickGroup);
        ui->headType->setCurrentIndex(int(h->type));
        ui->headCenterType->setCurrentIndex(int(h->centerType));
        ui->headCenterCount->setValue(h->centerCount);
        ui->cam1Xpos->setValue(h->cam1X);
        ui->cam1Ypos->setValue(h->cam1Y);
        ui->cam2Xpos->setValue(h->cam2X);
        ui->cam2Ypos->setValue(h->cam2Y);
    }
    updateCameraFields();
}

void Linie_dlg::updateCameraFields()
{
    const bool camera = currentMachine() && ui->headCenterType->currentIndex() == int(CenterType::Camera);
    ui->cam1Xpos->setEnabled(camera);
    ui->cam1Ypos->setEnabled(camera);
    ui->cam2Xpos->setEnabled(camera && ui->headCenterCount->value() == 2);
    ui->cam2Ypos->setEnabled(camera && ui->headCenterCount->value() == 2);
}

// ---- machines

void Linie_dlg::on_addMachineButton_clicked()
{
    auto* m = new Machine;
    m->lineNumber = m_currentLine;
    working().append(m);
    fillMachineList(working().size() - 1);
}

void Linie_dlg::on_deleteMachineButton_clicked()
{
    const int row = m_currentMachine;
    if (row < 0 || row >= working().size())
        return;
    delete working().takeAt(row);
    fillMachineList(qMin(row, working().size() - 1));
}

void Linie_dlg::on_oneUp_clicked()
{
    const int row = m_currentMachine;
    if (row < 1 || row >= working().size())
        return;
    working().swapItemsAt(row, row - 1);
    fillMachineList(row - 1);
}

void Linie_dlg::on_oneDown_clicked()
{
    const int row = m_currentMachine;
    if (row < 0 || row + 1 >= working().size())
        return;
    working().swapItemsAt(row, row + 1);
    fillMachineList(row + 1);
}

void Linie_dlg::on_machineList_currentRowChanged(int row)
{
    m_currentMachine = row;
    Machine* m = currentMachine();
    if (!m) {
        m_currentMachine = -1;
        setMachineWidgetsEnabled(false);
        return;
    }
    loadMachine(m);
    setMachineWidgetsEnabled(true);
}

void Linie_dlg::on_machineList_clicked(const QModelIndex& index)
{
    if (index.isValid())
        ui->machineList->setCurrentRow(index.row());
}

void Linie_dlg::on_nameField_editingFinished()
{
    Machine* m = currentMachine();
    if (m) {
        QString name = ui->nameField->text().trimmed();
        if (name.isEmpty()) {
            name = QStringLiteral("unnamed");
            const QSignalBlocker block(ui->nameField);
            ui->nameField->setText(name);
        }
        if (name != m->name) {
            m->name = name.replace(QLatin1Char(';'), QLatin1Char('_'));
            m->setHeadCount(ui->headField->value());
            const QSignalBlocker block(ui->machineList);
            ui->machineList->item(m_currentMachine)->setText(m->name);
        }
    }
    ui->nameField->clearFocus();
}

void Linie_dlg::on_machineType_currentIndexChanged(int index)
{
    if (Machine* m = currentMachine(); m && index >= 0 && index < machineTypeCount)
        m->type = MachineType(index);
}

// ---- benches

void Linie_dlg::on_fbCount_valueChanged(int count)
{
    Machine* m = currentMachine();
    if (!m)
        return;
    m->setBenchCount(count);
    m_currentBench = qMin(m_currentBench, m->benches.size() - 1);
    fillNumbers(ui->currBench, m->benches.size(), m_currentBench);
    loadBench();
}

void Linie_dlg::on_currBench_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    m_currentBench = index;
    loadBench();
}

void Linie_dlg::on_benchType_currentIndexChanged(int index)
{
    if (FeederBench* b = currentBench(); b && index >= 0)
        b->type = BenchType(index);
}

void Linie_dlg::on_benchXpos_valueChanged(double)
{
    if (FeederBench* b = currentBench()) {
        b->x = ui->benchXpos->value();
        b->y = ui->benchYpos->value();
    }
}

void Linie_dlg::on_benchYpos_valueChanged(double value)
{
    on_benchXpos_valueChanged(value);
}

void Linie_dlg::on_benchRot_valueChanged(double value)
{
    if (FeederBench* b = currentBench())
        b->rotation = value;
}

void Linie_dlg::on_benchPitch_valueChanged(double value)
{
    if (FeederBench* b = currentBench())
        b->pitch = value;
}

// ---- heads

void Linie_dlg::on_headField_valueChanged(int count)
{
    Machine* m = currentMachine();
    if (!m)
        return;
    m->setHeadCount(count);
    m_currentHead = qMin(m_currentHead, m->headCount() - 1);
    fillNumbers(ui->currHead, m->headCount(), m_currentHead);
    loadHead();
}

void Linie_dlg::on_currHead_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    m_currentHead = index;
    loadHead();
}

void Linie_dlg::on_headXpos_valueChanged(double)
{
    if (Head* h = currentHead()) {
        h->x = ui->headXpos->value();
        h->y = ui->headYpos->value();
    }
}

void Linie_dlg::on_headYpos_valueChanged(double value)
{
    on_headXpos_valueChanged(value);
}

void Linie_dlg::on_multiPickGroup_valueChanged(int value)
{
    if (Head* h = currentHead())
        h->multipickGroup = value;
}

void Linie_dlg::on_headType_currentIndexChanged(int index)
{
    if (Head* h = currentHead(); h && index >= 0)
        h->type = HeadType(index);
}

void Linie_dlg::on_headCenterType_currentIndexChanged(int index)
{
    if (Head* h = currentHead(); h && index >= 0)
        h->centerType = CenterType(index);
    updateCameraFields();
}

void Linie_dlg::on_headCenterCount_valueChanged(int value)
{
    if (Head* h = currentHead())
        h->centerCount = value;
    updateCameraFields();
}

void Linie_dlg::on_cam1Xpos_valueChanged(double)
{
    if (Head* h = currentHead()) {
        h->cam1X = ui->cam1Xpos->value();
        h->cam1Y = ui->cam1Ypos->value();
    }
}

void Linie_dlg::on_cam1Ypos_valueChanged(double value)
{
    on_cam1Xpos_valueChanged(value);
}

void Linie_dlg::on_cam2Xpos_valueChanged(double)
{
    if (Head* h = currentHead()) {
        h->cam2X = ui->cam2Xpos->value();
        h->cam2Y = ui->cam2Ypos->value();
    }
}

void Linie_dlg::on_cam2Ypos_valueChanged(double value)
{
    on_cam2Xpos_valueChanged(value);
}

// ---- multipick groups

void Linie_dlg::on_mpGroupNo_currentIndexChanged(int index)
{
    Machine* m = currentMachine();
    if (!m || index < 0 || index >= m->multipickGroups.size())
        return;
    m_currentGroup = index;
    const QSignalBlocker block(ui->multiPickPitch);
    ui->multiPickPitch->setValue(m->multipickGroups.at(index).pitch);
}

void Linie_dlg::on_multiPickPitch_valueChanged(double value)
{
    Machine* m = currentMachine();
    if (m && m_currentGroup >= 0 && m_currentGroup < m->multipickGroups.size())
        m->multipickGroups[m_currentGroup].pitch = value;
}

// ---- lines

void Linie_dlg::on_selectline_currentIndexChanged(int index)
{
    // A selector being cleared reports -1.
    if (index < 0 || index >= m_config.lines().size())
        return;
    m_currentLine = index;
    fillMachineList(0);
}

void Linie_dlg::on_addLine_clicked()
{
    m_config.lines().append(ProductionLine());
    const QSignalBlocker block(ui->selectline);
    ui->selectline->addItem(QString::number(m_config.lines().size()));
}

void Linie_dlg::on_deleteLine_clicked()
{
    if (!m_config.removeLine(m_currentLine))
        return;
    m_currentLine = 0;
    fillLineSelector();
    fillMachineList(0);
}

void Linie_dlg::on_okButton_clicked()
{
    if (!m_readProblem.isEmpty()
        && prompt().question(this, QStringLiteral("Production Line"),
               m_readProblem
                   + QStringLiteral("\nSaving replaces line.cfg with the machines shown. Save anyway?"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return;
    m_readProblem.clear();
    QString error;
    if (!save(&error)) {
        qDebug().noquote() << error;
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while writing the file"));
        return;
    }
    accept();
}
