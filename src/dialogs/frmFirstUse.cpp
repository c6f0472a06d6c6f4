#include "frmFirstUse.h"

#include "DialogLook.h"
#include "core/ProductInfo.h"
#include "core/ProgramState.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

frmFirstUse::frmFirstUse() {
    const int line = Line();

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

    Column()->addSpacing(line / 2);
    Column()->addWidget(fraIntro, 1);
    FinishColumn({}, OKButton);
}

void frmFirstUse::Form_Load() {
    const ProgramState& g = Globals();
    setWindowTitle(g.AppTitle + QStringLiteral(" - First Time Use  "));
    fraIntro->setTitle(WelcomeCaption());
    for (int i = 0; i <= 2; ++i) {
        lblDescription[i]->setText(LabelText(WelcomeDescription(i)));
    }
    LoadCover(QStringLiteral("frmFirstUse"), [] { frmFirstUse::Unload(); });
}

void frmFirstUse::Form_Unload() {
    UnloadCover(QStringLiteral("frmFirstUse"));
}

void frmFirstUse::OKButton_Click() {
    accept();
}
