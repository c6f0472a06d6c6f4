#include "frmFirstUse.h"

#include "DialogLook.h"
#include "core/ProductInfo.h"
#include "core/ProgramState.h"
#include "ui/OpenWindows.h"
#include "widgets/Artwork.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The program's texts break lines with CR LF; a label wants plain line feeds.
QString LabelText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

frmFirstUse::frmFirstUse() {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(true);
    setWindowIcon(Artwork::AppIcon());

    const int line = fontMetrics().height();
    picLogo = new CoverBand(line * 5, this);
    lblTitle = MakeTitleLabel(this);
    lblVersion = MakeLabel(QString(), this);
    for (int i = 1; i <= 2; ++i) {
        lblNotice[i] = MakeNoticeLabel(QString(), this);
    }

    fraIntro = new QGroupBox(this);
    QFont heading = fraIntro->font();
    heading.setBold(true);
    fraIntro->setFont(heading);
    auto* intro = new QVBoxLayout(fraIntro);
    intro->setSpacing(line * 3 / 4);
    for (int i = 0; i <= 2; ++i) {
        lblDescription[i] = MakeLabel(QString(), fraIntro, 1.0, i != 1);
        lblDescription[i]->setWordWrap(true);
        intro->addWidget(lblDescription[i]);
    }
    // A comfortable reading width: about sixty characters a line.
    fraIntro->setMinimumWidth(fontMetrics().averageCharWidth() * 64);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });

    QVBoxLayout* content = CoverLayout(this, picLogo);
    content->addWidget(lblTitle);
    content->addWidget(lblVersion);
    content->addSpacing(line / 2);
    content->addWidget(fraIntro, 1);
    AddNoticesAndButtons(content, lblNotice[1], lblNotice[2], {}, OKButton);
}

void frmFirstUse::Form_Load() {
    const ProgramState& g = Globals();
    setWindowTitle(g.AppTitle + QStringLiteral(" - First Time Use  "));
    ShowVersionAndNotices(lblVersion, lblNotice[1], lblNotice[2]);
    fraIntro->setTitle(WelcomeCaption());
    for (int i = 0; i <= 2; ++i) {
        lblDescription[i]->setText(LabelText(WelcomeDescription(i)));
    }
    CentreWindow(this);
    RegisterOpenWindow(QStringLiteral("frmFirstUse"), [] { frmFirstUse::Unload(); });
}

void frmFirstUse::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmFirstUse"));
    hide();
}

void frmFirstUse::OKButton_Click() {
    accept();
}
