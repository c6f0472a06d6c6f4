#include "frmMsg.h"

#include "core/Message.h"
#include "core/ProgramState.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "ui/UiState.h"
#include "widgets/Artwork.h"
#include "widgets/Captions.h"
#include "widgets/Help.h"
#include "widgets/TopLevelWindows.h"
#include "widgets/TwipsGeometry.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QQueue>

frmMsg::frmMsg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Message Box"));
    setModal(true);
    imgInfo = new QLabel(this);
    TwMove(imgInfo, kIconLeft, kIconTop, kIconSize, kIconSize);
    lblMsg = new QLabel(this);
    lblMsg->setTextFormat(Qt::PlainText);
    lblMsg->setWordWrap(true);
    lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMsg->setTextInteractionFlags(Qt::TextSelectableByMouse);
    TwMove(lblMsg, 2 * kIconLeft + kIconSize, kIconTop, 1200, 375);
    const std::array<QString, 4> captions{QStringLiteral("Help"), QStringLiteral("OK"),
                                          QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    for (int i = 0; i < 4; ++i) {
        cmdButton[i] = new QPushButton(captions[i], this);
        cmdButton[i]->setAutoDefault(false);
        TwMove(cmdButton[i], 0, 0, kButtonWidth, kButtonHeight);
        connect(cmdButton[i], &QPushButton::clicked, this, [this, i] { cmdButton_Click(i); });
    }
    cmdButton[1]->setDefault(true);
    cmdButton[3]->setVisible(false);
    Form_Load();
}

void frmMsg::Form_Load() {
    Ui().MsgResult = 0;
    Unanswered = true;
}

void frmMsg::Prepare(const QString& message, int buttons, int icon, const QString& title,
                     qint32 helpContext) {
    UiState& g = Ui();
    const bool secondDefault = (buttons & MsgDefaultSecond) != 0;
    buttons &= ~MsgDefaultSecond;
    // Any set of buttons but those the box knows gets OK alone.
    if (buttons != MsgOK && buttons != MsgOKCancel && buttons != MsgYesNo && buttons != MsgYesNoCancel) {
        buttons = MsgOK;
    }
    // 1. Defaults.
    QString text = message.isEmpty() ? QString(15, QLatin1Char(' ')) + QStringLiteral("\r\n") : message;
    const QString caption = title.isEmpty() ? ProductName() : CaptionText(title);
    g.MsgHelpContext = helpContext;

    // 2. The label grows to fit its text.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QFontMetrics metrics(lblMsg->font());
    // A word no line can hold (a long file name) would widen the window past the screen.
    const QString whole = text;
    text = ElideLongWords(text, metrics, PxX(kMessageMaxWidth));
    lblMsg->setText(text);
    lblMsg->setToolTip(text == whole ? QString() : WrappedToolTip(whole));
    const QRect bounds = metrics.boundingRect(QRect(0, 0, PxX(kMessageMaxWidth), 100000),
                                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    const int lines = static_cast<int>(text.count(QLatin1Char('\n')));
    const int heightPx = qMax(bounds.height(), (lines + 1) * metrics.lineSpacing());
    TwSetWidth(lblMsg, TwipsX(bounds.width() + 2));
    TwSetHeight(lblMsg, TwipsY(heightPx));
    setWindowTitle(caption);

    // 3.-4. The window is sized around the label, the icon and one button.
    const int W = CLng(TwWidth(lblMsg));
    const int H = CLng(TwHeight(lblMsg));
    const int IW = static_cast<int>(TwWidth(imgInfo));
    const int BW = static_cast<int>(TwWidth(cmdButton[1]));
    const int BH = static_cast<int>(TwHeight(cmdButton[1]));
    m_width = W + IW + BW;
    if (buttons == MsgYesNoCancel) {
        // Room for the three answers and Help, however short the text.
        m_width = qMax(m_width, 2 * kIconLeft + IW + 4 * (BW + 100));
    }
    m_height = H + 4 * BH;
    setFixedSize(PxX(m_width), PxY(m_height));

    // 5. The label sits right of the icon, level with it.
    const int L = CLng(2 * TwLeft(imgInfo) + TwWidth(imgInfo));
    const int T = CLng(TwTop(imgInfo));
    TwMove(lblMsg, L, T);

    // 6. The icon.
    m_icon = icon;
    const QSize iconPx(PxX(kIconSize), PxY(kIconSize));
    imgInfo->setPixmap(Artwork::RenderMessageIcon(icon, iconPx, devicePixelRatioF()));

    // 7.-8. Buttons, centred under the label's middle, or from its first third with Help.
    const int P = BW + 100;
    const int Y = CLng(m_height - 2.5 * BH);
    const bool withHelp = g.MsgHelpContext != 0;
    auto place = [Y](QPushButton* button, double left) { TwMove(button, CLng(left), Y); };
    cmdButton[3]->setVisible(buttons == MsgYesNoCancel);
    // The default answer: of three choices the one that changes nothing, as Escape is; of two the
    // first, unless the question asks for the second.
    QPushButton* answer = cmdButton[1];
    if (buttons == MsgYesNoCancel) {
        answer = cmdButton[3];
    } else if (secondDefault && buttons != MsgOK) {
        answer = cmdButton[2];
    }
    for (int i = 1; i <= 3; ++i) {
        cmdButton[i]->setDefault(cmdButton[i] == answer);
    }
    if (buttons == MsgYesNoCancel) {
        cmdButton[1]->setText(QStringLiteral("Yes"));
        cmdButton[2]->setText(QStringLiteral("No"));
        cmdButton[2]->setVisible(true);
        const double X = L + W / 2.0 - P / 2.0;
        place(cmdButton[1], X - P);
        place(cmdButton[2], X);
        place(cmdButton[3], X + P);
        if (withHelp) {
            place(cmdButton[0], X - 2 * P);
        }
        cmdButton[0]->setVisible(withHelp);
    } else if (buttons == MsgOK) {
        cmdButton[1]->setText(QStringLiteral("OK"));
        cmdButton[2]->setText(QStringLiteral("Cancel"));
        cmdButton[2]->setVisible(false);
        if (!withHelp) {
            place(cmdButton[1], L + W / 2.0 - P / 2.0);
            cmdButton[0]->setVisible(false);
        } else {
            const double X = L + W / 2.0;
            place(cmdButton[0], X - P);
            place(cmdButton[1], X);
            cmdButton[0]->setVisible(true);
        }
    } else {
        cmdButton[1]->setText(buttons == MsgOKCancel ? QStringLiteral("OK") : QStringLiteral("Yes"));
        cmdButton[2]->setText(buttons == MsgOKCancel ? QStringLiteral("Cancel") : QStringLiteral("No"));
        cmdButton[2]->setVisible(true);
        if (!withHelp) {
            const double X = L + W / 2.0;
            place(cmdButton[1], X - P);
            place(cmdButton[2], X);
            cmdButton[0]->setVisible(false);
        } else {
            const double X = L + W / 3.0;
            place(cmdButton[0], X - P);
            place(cmdButton[1], X);
            place(cmdButton[2], X + P);
            cmdButton[0]->setVisible(true);
        }
    }
    // The focus starts on the default answer, never on Help, which comes first in the Tab order.
    answer->setFocus();
}

void frmMsg::cmdButton_Click(int index) {
    UiState& g = Ui();
    if (index == 0) {
        g.MsgResult = 0;
        HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, g.MsgHelpContext);
        return;
    }
    if (index == 1) {
        g.MsgResult = cmdButton[1]->text() == QLatin1String("OK") ? 1 : 6;
    } else if (index == 3) {
        g.MsgResult = 2;
    } else {
        g.MsgResult = cmdButton[2]->text() == QLatin1String("Cancel") ? 2 : 7;
    }
    Unanswered = false;
    accept();
}

void frmMsg::Form_Unload() {
    if (Unanswered) {
        Ui().MsgResult = 2;
    }
}

void frmMsg::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}

void frmMsg::reject() {
    // Escape and the close box: the window was closed without a button.
    Form_Unload();
    QDialog::reject();
}

void InstallMessageBox() {
    SetMessageHandler(
        [](const QString& message, int buttons, int icon, const QString& title, qint32 helpContext) {
            frmMsg window;
            window.Prepare(message, buttons, icon, title, helpContext);
            // In front of the window it answers for, or of the progress window over it.
            KeepInFront(&window);
            window.exec();
            return Ui().MsgResult;
        });
}
