#include "frmPackConfig.h"

#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "platform/RemovableDrives.h"
#include "ui/MainFrame.h"
#include "ui/OpenWindows.h"
#include "widgets/CommandIcons.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kRootRole = Qt::UserRole;

QString Description(const QString& scanCaption) {
    const QString blank = QStringLiteral("\n\n");
    return QStringLiteral(
               "Pack To Go is a feature to help keep your Lumenleaf database file up to date between "
               "two computers.") +
           blank +
           QStringLiteral("To use this feature you must have a Portable Device such as a USB Memory stick or "
                          "similar that acts like a hard disk drive.") +
           blank + QStringLiteral("Pack To Go requires a special folder to be created on this device.") +
           blank +
           QStringLiteral(
               "To place this folder and a copy of your database file on your device please make sure "
               "it is plugged in to a USB port.") +
           blank + QStringLiteral("Click '") + scanCaption + QStringLiteral("' when ready.") + blank +
           QStringLiteral(
               "A list of Portable Drives will appear. If there is more than one you must Select your "
               "choice.") +
           blank + QStringLiteral("Click 'OK' after making your Selection.");
}
} // namespace

frmPackConfig::frmPackConfig() : QDialog(MainFrame::IfLoaded()) {
    setObjectName(QStringLiteral("frmPackConfig"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    Frame1 = new QGroupBox(QStringLiteral("Pack To Go Description"), this);
    auto* frameLayout = new QVBoxLayout(Frame1);
    lblDescription = new QLabel(Frame1);
    lblDescription->setWordWrap(true);
    lblDescription->setTextFormat(Qt::PlainText);
    frameLayout->addWidget(lblDescription);
    layout->addWidget(Frame1);

    cmdScan = new QPushButton(QStringLiteral("Scan for Portable Drives"), this);
    cmdScan->setIcon(Artwork::MenuIcon(QStringLiteral("Pack")));
    auto* scanRow = new QHBoxLayout;
    scanRow->addWidget(cmdScan);
    scanRow->addStretch();
    layout->addLayout(scanRow);

    lblDrives = new QLabel(QStringLiteral("Portable Drives:"), this);
    lvwDrives = new QListWidget(this);
    lvwDrives->setObjectName(QStringLiteral("lvwDrives"));
    lvwDrives->setMinimumHeight(lvwDrives->fontMetrics().height() * 5);
    lblDrives->setBuddy(lvwDrives);
    layout->addWidget(lblDrives);
    layout->addWidget(lvwDrives);

    auto* buttons = new QDialogButtonBox(this);
    cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    // The width follows the text, so the description reads in lines of a comfortable length.
    setMinimumWidth(fontMetrics().averageCharWidth() * 64);

    connect(cmdScan, &QPushButton::clicked, this, &frmPackConfig::cmdScan_Click);
    connect(lvwDrives, &QListWidget::itemClicked, this, &frmPackConfig::lvwDrives_ItemClick);
    connect(lvwDrives, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { lvwDrives_ItemClick(item); });
    // The buttons act by their handlers; the dialog box's own accept and reject are not used.
    connect(cmdOK, &QPushButton::clicked, this, &frmPackConfig::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPackConfig::cmdCancel_Click);
}

void frmPackConfig::Form_Load() {
    ProgramState& g = Globals();
    setWindowTitle(g.AppTitle + QStringLiteral(" - Pack To Go Configuration  "));
    lblDescription->setText(Description(cmdScan->text()));
    g.PackConfigOpen = true;
    cmdOK->setEnabled(false);
    RegisterOpenWindow(QStringLiteral("frmPackConfig"), [] { frmPackConfig::Unload(); });
}

void frmPackConfig::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmPackConfig"));
    // With no drive configured PackConfig stays False, and the options dialog unticks its
    // "Use Pack To Go" box when it sees that.
    if (isVisible()) {
        done(QDialog::Rejected);
    }
    hide();
}

void frmPackConfig::cmdScan_Click() {
    ProgramState& g = Globals();
    lvwDrives->clear();
    if (!FindPortableDrives(2)) {
        g.PackPath.clear();
        return;
    }
    for (int i = 1; i <= g.PortableDriveCount && i <= kMaxRemovableDrives; ++i) {
        const QString& root = g.PortableDrives[size_t(i)];
        auto* item =
            new QListWidgetItem(QStringLiteral("%1    (%2)").arg(DriveLabelOf(root), root), lvwDrives);
        item->setData(kRootRole, root);
        item->setIcon(style()->standardIcon(QStyle::SP_DriveFDIcon));
    }
    g.PackPath = lvwDrives->item(0)->data(kRootRole).toString();
    cmdOK->setEnabled(true);
    lvwDrives->setCurrentRow(0);
}

void frmPackConfig::lvwDrives_ItemClick(QListWidgetItem* item) {
    if (item) {
        Globals().PackPath = item->data(kRootRole).toString();
    }
}

void frmPackConfig::cmdOK_Click() {
    ProgramState& g = Globals();
    if (g.PackPath.isEmpty()) {
        ++Beeps;
        QApplication::beep();
        return;
    }
    QString folder;
    QString reason;
    if (!CreatePackFolder(g.PackPath, &folder, &reason)) {
        ShowWriteFailure();
        return;
    }
    g.PackPath = folder;
    g.PackConfig = true;
    g.PackConfigOpen = false;
    accept();
}

void frmPackConfig::cmdCancel_Click() {
    reject();
}
