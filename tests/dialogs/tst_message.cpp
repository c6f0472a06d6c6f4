#include "app/Main.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "dialogs/frmMsg.h"
#include "files/frmPackMsg.h"
#include "mainwindow/frmMain.h"
#include "support/UiTestSupport.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
struct Layout {
    int L = 0;
    int W = 0;
    int H = 0;
    int P = 0;
    int Y = 0;
};

// The numbers the window is laid out by, read back from the prepared window.
Layout Measure(const frmMsg& box) {
    Layout m;
    m.W = static_cast<int>(TwWidth(box.lblMsg));
    m.H = static_cast<int>(TwHeight(box.lblMsg));
    m.L = static_cast<int>(TwLeft(box.lblMsg));
    m.P = frmMsg::kButtonWidth + 100;
    m.Y = static_cast<int>(TwTop(box.cmdButton[1]));
    return m;
}

int Left(const QPushButton* button) {
    return static_cast<int>(TwLeft(button));
}

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}
} // namespace

class MessageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowIsSizedAroundTheMessage() {
        TestEnvironment env;
        frmMsg box;
        box.Prepare(QStringLiteral("The school year has been saved."), 1, 1, QString(), 0);
        const Layout m = Measure(box);
        QVERIFY(m.W > 0 && m.H > 0);
        QCOMPARE(box.WindowWidth(), m.W + frmMsg::kIconSize + frmMsg::kButtonWidth);
        QCOMPARE(box.WindowHeight(), m.H + 4 * frmMsg::kButtonHeight);
        // The label sits right of the icon, level with its top.
        QCOMPARE(m.L, 2 * frmMsg::kIconLeft + frmMsg::kIconSize);
        QCOMPARE(static_cast<int>(TwTop(box.lblMsg)), frmMsg::kIconTop);
        // Every button's top: the window height less two and a half buttons, halves to even.
        QCOMPARE(m.Y, RoundEven(box.WindowHeight() - 2.5 * frmMsg::kButtonHeight));
        QCOMPARE(box.windowTitle(), QStringLiteral("Quillmarsh"));

        // A longer message widens and heightens the window by the label's growth.
        frmMsg longer;
        longer.Prepare(
            QStringLiteral("The school year has been saved.\r\nA second line\r\nand a third, longer "
                           "than the first one."),
            1, 1, QStringLiteral("Quillmarsh - Setup"), 0);
        const Layout n = Measure(longer);
        QVERIFY(n.W > m.W);
        QVERIFY(n.H > m.H);
        QCOMPARE(longer.WindowWidth() - box.WindowWidth(), n.W - m.W);
        QCOMPARE(longer.WindowHeight() - box.WindowHeight(), n.H - m.H);
        QCOMPARE(longer.windowTitle(), QStringLiteral("Quillmarsh - Setup"));
    }

    void buttonsArePlacedBySetAndHelp_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("help");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("secondShown");
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("OK") << 1 << 0 << "OK"
                            << "Cancel" << false << false;
        QTest::newRow("OK with help") << 1 << 120 << "OK"
                                      << "Cancel" << false << true;
        QTest::newRow("OK Cancel") << 2 << 0 << "OK"
                                   << "Cancel" << true << false;
        QTest::newRow("OK Cancel with help") << 2 << 120 << "OK"
                                             << "Cancel" << true << true;
        QTest::newRow("Yes No") << 3 << 0 << "Yes"
                                << "No" << true << false;
        QTest::newRow("Yes No with help") << 3 << 120 << "Yes"
                                          << "No" << true << true;
        // Any other set: OK alone.
        QTest::newRow("no set") << 0 << 0 << "OK"
                                << "Cancel" << false << false;
        QTest::newRow("an unknown set with help") << 7 << 120 << "OK"
                                                  << "Cancel" << false << true;
    }
    void buttonsArePlacedBySetAndHelp() {
        QFETCH(int, buttons);
        QFETCH(int, help);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, secondShown);
        QFETCH(bool, helpShown);
        TestEnvironment env;
        frmMsg box;
        box.Prepare(QStringLiteral("Do you want to keep the entries of the old school year?"), buttons, 2,
                    QString(), help);
        const Layout m = Measure(box);
        QCOMPARE(box.cmdButton[1]->text(), first);
        QCOMPARE(box.cmdButton[2]->text(), second);
        QCOMPARE(box.cmdButton[2]->isVisibleTo(&box), secondShown);
        QCOMPARE(box.cmdButton[0]->isVisibleTo(&box), helpShown);
        for (QPushButton* b : box.cmdButton) {
            if (b->isVisibleTo(&box)) {
                QCOMPARE(static_cast<int>(TwTop(b)), m.Y);
            }
        }
        const double half = m.L + m.W / 2.0;
        const double third = m.L + m.W / 3.0;
        if (!secondShown && !helpShown) {
            QCOMPARE(Left(box.cmdButton[1]), RoundEven(half - m.P / 2.0));
        } else if (!secondShown) {
            QCOMPARE(Left(box.cmdButton[0]), RoundEven(half - m.P));
            QCOMPARE(Left(box.cmdButton[1]), RoundEven(half));
        } else if (!helpShown) {
            QCOMPARE(Left(box.cmdButton[1]), RoundEven(half - m.P));
            QCOMPARE(Left(box.cmdButton[2]), RoundEven(half));
        } else {
            QCOMPARE(Left(box.cmdButton[0]), RoundEven(third - m.P));
            QCOMPARE(Left(box.cmdButton[1]), RoundEven(third));
            QCOMPARE(Left(box.cmdButton[2]), RoundEven(third + m.P));
        }
        QCOMPARE(Ui().MsgHelpContext, help);
    }

    void emptyMessageStillGivesAWindow() {
        TestEnvironment env;
        frmMsg box;
        box.Prepare(QString(), 1, 3, QString(), 0);
        QCOMPARE(box.lblMsg->text(), QString(15, QLatin1Char(' ')) + QLatin1Char('\n'));
        QVERIFY(TwWidth(box.lblMsg) > 0);
        QVERIFY(TwHeight(box.lblMsg) > 0);
        QCOMPARE(box.IconIndex(), 3);
        QVERIFY(!box.imgInfo->pixmap().isNull());
    }

    void buttonsAnswer_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << 1 << 1 << 1;
        QTest::newRow("Cancel") << 2 << 2 << 2;
        QTest::newRow("Yes") << 3 << 1 << 6;
        QTest::newRow("No") << 3 << 2 << 7;
    }
    void buttonsAnswer() {
        QFETCH(int, buttons);
        QFETCH(int, index);
        QFETCH(int, answer);
        TestEnvironment env;
        frmMsg box;
        box.Prepare(QStringLiteral("Question?"), buttons, 2, QString(), 0);
        QTimer::singleShot(0, &box, [&box, index] { box.cmdButton[index]->click(); });
        box.exec();
        QCOMPARE(Ui().MsgResult, answer);
    }

    // With Help beside the answers, the focus starts on the default answer: Space answers it and
    // opens no help, and so does Return. A question may open on its second answer.
    void focusStartsOnTheDefaultAnswer_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Help, OK") << int(MsgOK) << int(Qt::Key_Space) << 1;
        QTest::newRow("Help, OK, Cancel") << int(MsgOKCancel) << int(Qt::Key_Space) << 1;
        QTest::newRow("Help, Yes, No, Cancel") << int(MsgYesNoCancel) << int(Qt::Key_Space) << 2;
        QTest::newRow("Help, Yes, No on No") << int(MsgYesNo | MsgDefaultSecond) << int(Qt::Key_Space) << 7;
        QTest::newRow("Help, Yes, No on No, Return")
            << int(MsgYesNo | MsgDefaultSecond) << int(Qt::Key_Return) << 7;
        QTest::newRow("Help, OK, Cancel on Cancel, Return")
            << int(MsgOKCancel | MsgDefaultSecond) << int(Qt::Key_Return) << 2;
    }
    void focusStartsOnTheDefaultAnswer() {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, answer);
        TestEnvironment env;
        frmMsg box;
        box.Prepare(QStringLiteral("Something needs your attention."), buttons, 1, QString(), 2040);
        QTimer::singleShot(0, &box, [&box, key] {
            box.activateWindow();
            if (QTest::qWaitForWindowActive(&box) && QApplication::focusWidget() != nullptr) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            if (box.isVisible()) {
                box.close(); // the key did not answer
            }
        });
        box.exec();
        QCOMPARE(Ui().MsgResult, answer);
        QVERIFY(RecordedHelpCalls().isEmpty());
    }

    void closingWithoutAButtonAnswersCancel() {
        TestEnvironment env;
        // The close box answers 2 even for a Yes / No question.
        frmMsg box;
        box.Prepare(QStringLiteral("Delete the timetable?"), 3, 3, QString(), 0);
        QTimer::singleShot(0, &box, [&box] { box.close(); });
        box.exec();
        QCOMPARE(Ui().MsgResult, 2);

        frmMsg escaped;
        escaped.Prepare(QStringLiteral("Delete the timetable?"), 3, 3, QString(), 0);
        QTimer::singleShot(0, &escaped, [&escaped] { QTest::keyClick(&escaped, Qt::Key_Escape); });
        escaped.exec();
        QCOMPARE(Ui().MsgResult, 2);
    }

    void helpOpensTheTopicAndDoesNotAnswer() {
        TestEnvironment env;
        Globals().HelpFile = QStringLiteral("/opt/quillmarsh/QLM.chm");
        frmMsg box;
        box.Prepare(QStringLiteral("Something needs your attention."), 1, 1, QString(), 2040);
        QTimer::singleShot(0, &box, [&box] {
            box.cmdButton[0]->click();
            QVERIFY(box.isVisible());
            QCOMPARE(Ui().MsgResult, 0);
            box.cmdButton[1]->click();
        });
        box.exec();
        QCOMPARE(Ui().MsgResult, 1);
        QCOMPARE(RecordedHelpCalls().size(), 1);
        QCOMPARE(RecordedHelpCalls().first().context, 2040);
        QCOMPARE(RecordedHelpCalls().first().command, HH_HELP_CONTEXT);
        QCOMPARE(RecordedHelpCalls().first().helpFile, QStringLiteral("/opt/quillmarsh/QLM.chm"));
    }

    void aMessageStaysInFrontOfTheWindowItCovers_data() {
        QTest::addColumn<bool>("progress");
        QTest::newRow("the main window") << false;
        // The progress window stays on top of every window: the message must still come above it.
        QTest::newRow("the progress window") << true;
    }
    void aMessageStaysInFrontOfTheWindowItCovers() {
        QFETCH(bool, progress);
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QWidget* covered = &frmMain::Get();
        if (progress) {
            ShowPackMsg(QStringLiteral("Quillmarsh - Setup - Writing DataBase"),
                        QStringLiteral("Writing the school year now.  One Moment Please..."));
            covered = frmPackMsg::IfLoaded();
        }
        MessageTestSeam::Enable(false);
        InstallMessageBox();
        bool inFront = false;
        QTimer::singleShot(0, [&inFront, covered] {
            if (auto* box = qobject_cast<frmMsg*>(QApplication::activeModalWidget())) {
                inFront = StaysInFrontOf(box, covered);
                box->cmdButton[1]->click();
            }
        });
        const int answer = ShowMessage(QStringLiteral("The school year could not be written."), MsgOK,
                                       MsgAlert, QString(), 0);
        MessageTestSeam::Enable(true);
        ClosePackMsg();
        QCOMPARE(answer, MsgAnswerOK);
        QVERIFY(inFront);
    }

    void testsAnswerFromTheQueue() {
        TestEnvironment env;
        MessageTestSeam::QueueAnswer(6);
        QCOMPARE(ShowMessage(QStringLiteral("Keep?"), 3, 2, QString(), 0), 6);
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh"));
        // Nothing queued: recorded as unexpected, answered as if closed.
        QCOMPARE(ShowMessage(QStringLiteral("Surprise"), 1, 1, QString(), 0), 2);
        QCOMPARE(MessageTestSeam::Unexpected().size(), 1);
        MessageTestSeam::Clear();
    }
};

QTEST_MAIN(MessageTest)
#include "tst_message.moc"
