#include "frmAbout.h"

#include "DialogLook.h"
#include "core/Message.h"
#include "core/ProductInfo.h"
#include "core/ProgramState.h"
#include "widgets/Shell.h"
#include "widgets/TopLevelWindows.h"

#include <QDir>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout() {
    const int line = Line();
    const int reading = fontMetrics().averageCharWidth() * 62;
    lblDescription = MakeLabel(QString(), this);
    lblDescription->setWordWrap(true);
    lblDescription->setMinimumWidth(reading);
    lblThankyou = MakeLabel(QString(), this);
    lblThankyou->setWordWrap(true);

    lblEmail = new ClickLabel(0, this);
    lblWebSite = new ClickLabel(0, this);
    for (ClickLabel* link : {lblEmail, lblWebSite}) {
        StyleAsLink(link);
    }
    connect(lblEmail, &ClickLabel::Clicked, this, [this] { lblEmail_Click(); });
    connect(lblWebSite, &ClickLabel::Clicked, this, [this] { lblWebSite_Click(); });
    auto* links = new QFormLayout;
    links->setContentsMargins(0, 0, 0, 0);
    links->setHorizontalSpacing(line / 2);
    links->addRow(MakeLabel(QStringLiteral("Email:"), this), lblEmail);
    links->addRow(MakeLabel(QStringLiteral("Web:"), this), lblWebSite);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdViewReadMe = new QPushButton(QStringLiteral("View Read Me"), this);
    cmdCredits = new QPushButton(QStringLiteral("Credits"), this);
    for (QPushButton* button : {cmdViewReadMe, cmdCredits}) {
        button->setAutoDefault(false);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdViewReadMe, &QPushButton::clicked, this, [this] { cmdViewReadMe_Click(); });
    connect(cmdCredits, &QPushButton::clicked, this, [this] { cmdCredits_Click(); });

    QVBoxLayout* content = Column();
    content->addSpacing(line);
    content->addWidget(lblDescription);
    content->addSpacing(line / 2);
    content->addLayout(links);
    content->addSpacing(line / 2);
    content->addWidget(lblThankyou);
    content->addSpacing(line / 2);
    content->addStretch(1);
    FinishColumn({cmdCredits, cmdViewReadMe}, cmdOK);
}

void frmAbout::Form_Load() {
    const ProgramState& g = Globals();
    setWindowTitle(g.AppTitle + QStringLiteral(" - About  "));
    lblDescription->setText(AboutDescription());
    lblEmail->setText(MakerMailAddress());
    lblEmail->setToolTip(QStringLiteral("Write to %1 about %2").arg(MakerMailAddress(), ProductName()));
    lblWebSite->setText(QStringLiteral("WebSite HomePage"));
    lblWebSite->setToolTip(MakerWebPage());
    lblThankyou->setText(LabelText(AboutThankYou()));
    // The links take the keys too; the box opens on OK all the same.
    cmdOK->setFocus();
    LoadCover(QStringLiteral("frmAbout"), [] { frmAbout::Unload(); });
}

void frmAbout::Form_Unload() {
    UnloadCover(QStringLiteral("frmAbout"));
}

void frmAbout::lblEmail_Click() {
    OpenForTheTeacher(MakerMailLink(), QStringLiteral("the mail address"), MakerMailAddress());
    accept();
}

void frmAbout::lblWebSite_Click() {
    OpenMakerWebPage();
    accept();
}

void frmAbout::cmdViewReadMe_Click() {
    OpenForTheTeacher(ReadMePath(), QStringLiteral("the read-me file"),
                      QDir::toNativeSeparators(ReadMePath()));
    accept();
}

void frmAbout::cmdCredits_Click() {
    ShowMessage(CreditsText(), MsgOK, MsgInformation, Globals().AppTitle, 0);
    accept();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void ShowAboutBox() {
    frmAbout& about = frmAbout::Get();
    KeepInFrontOf(&about, FrontWindow());
    about.exec();
    frmAbout::Unload();
}

QString MakerWebPage() {
    return MakerWebAddress();
}

void OpenForTheTeacher(const QString& target, const QString& what, const QString& named) {
    ShellOpen(target, [what, named] {
        ShowMessage(QStringLiteral("No program on this computer could open %1:\r\n\r\n%2").arg(what, named),
                    MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - Could Not Open"), 0);
    });
}

void OpenMakerWebPage() {
    OpenForTheTeacher(MakerWebPage(), QStringLiteral("the web page"), MakerWebPage());
}
