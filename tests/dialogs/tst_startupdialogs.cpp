#include "app/Main.h"
#include "core/Message.h"
#include "core/ProductInfo.h"
#include "core/ProgramState.h"
#include "daypage/frmSchedule.h"
#include "dialogs/DialogLook.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFirstUse.h"
#include "dialogs/frmLogOn.h"
#include "dialogs/frmSplash.h"
#include "mainwindow/frmMain.h"
#include "platform/ProgramFolder.h"
#include "support/UiTestSupport.h"
#include "ui/OpenWindows.h"
#include "widgets/Shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(frmLogOn&)>)
Q_DECLARE_METATYPE(std::function<void(frmAbout&)>)

namespace {
void MoveOver(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// What the teacher sees of a name: underlined, with its check mark.
bool LooksHighlighted(const frmLogOn& window, int index) {
    return window.lblName[index]->font().underline() && window.imgCheck[index]->isVisibleTo(&window);
}

// Runs the checks once the modal window is up, then closes it whatever they found, so that a
// failed check cannot leave the test waiting on the window.
void WhenShown(std::function<void()> check, std::function<void()> close) {
    QTimer::singleShot(0, [check, close] {
        check();
        close();
    });
}

void TwoTeachers(const QString& second) {
    ProgramState& g = Globals();
    g.AppTitle = QStringLiteral("Quillmarsh");
    g.TeacherNum = 2;
    g.TeacherNames[1] = QStringLiteral("Ms. Avery");
    g.TeacherNames[2] = second;
}
// A program folder with blanks in its name: the read-me is still found in it.
QString UseFolderWithBlanks(const TestEnvironment& env) {
    const QString folder = env.ProgramFolder() + QStringLiteral("/Quill marsh");
    QDir().mkpath(folder);
    SetProgramFolderForTests(folder);
    return folder;
}
} // namespace

class StartupDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hoverBoundsIncludeTheRightAndBottomEdges_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("hovered");
        QTest::newRow("inside") << 40 << 10 << 2;
        QTest::newRow("top left corner") << 0 << 0 << 2;
        QTest::newRow("right edge") << 200 << 10 << 2;
        QTest::newRow("bottom edge") << 40 << 30 << 2;
        QTest::newRow("bottom right corner") << 200 << 30 << 2;
        QTest::newRow("past the right edge") << 201 << 10 << 0;
        QTest::newRow("below") << 40 << 31 << 0;
        QTest::newRow("left of it") << -1 << 10 << 0;
        QTest::newRow("above") << 40 << -1 << 0;
    }
    void hoverBoundsIncludeTheRightAndBottomEdges() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, hovered);
        QCOMPARE(frmLogOn::HoveredName(2, x, y, 200, 30), hovered);
    }

    void hoveringANameHighlightsItAlone() {
        TestEnvironment env;
        TwoTeachers(QStringLiteral("Mr. Brook"));
        frmLogOn& window = frmLogOn::Get();
        window.show();
        QVERIFY(!LooksHighlighted(window, 1) && !LooksHighlighted(window, 2));
        const QSize size = window.lblName[2]->size();
        MoveOver(window.lblName[2], QPoint(size.width(), size.height())); // exactly on the corner
        QVERIFY(LooksHighlighted(window, 2));
        QVERIFY(!LooksHighlighted(window, 1));
        MoveOver(window.lblName[1], QPoint(5, 5));
        QVERIFY(LooksHighlighted(window, 1));
        QVERIFY(!LooksHighlighted(window, 2));
        MoveOver(window.lblName[1], QPoint(size.width() + 1, 5)); // dragged off the label
        QCOMPARE(window.Highlighted(), 0);
        MoveOver(window.lblName[2], QPoint(5, 5));
        MoveOver(&window, QPoint(2, 2)); // the window itself
        QVERIFY(!LooksHighlighted(window, 1) && !LooksHighlighted(window, 2));
    }

    void clickingAnEmptySecondNameLogsOnTeacherTwo() {
        TestEnvironment env;
        TwoTeachers(QString());
        WhenShown(
            [] {
                const frmLogOn& window = frmLogOn::Get();
                QVERIFY(window.isVisible());
                QVERIFY(window.lblName[2]->text().isEmpty());
                QVERIFY(window.lblName[2]->width() > 50 && window.lblName[2]->height() > 10);
            },
            [] {
                QTest::mouseClick(frmLogOn::Get().lblName[2], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            });
        QVERIFY(LogOnTeacher());
        QCOMPARE(Globals().CurrentTeacher, 2);
        QCOMPARE(Globals().CurrentTeacherName, QString());
        QVERIFY(!IsWindowOpen(QStringLiteral("frmLogOn")));
    }

    void closingTheLogOnWithoutAChoiceReturnsFalse_data() {
        QTest::addColumn<std::function<void(frmLogOn&)>>("close");
        QTest::newRow("close box") << std::function<void(frmLogOn&)>([](frmLogOn& w) { w.close(); });
        QTest::newRow("Exit Program")
            << std::function<void(frmLogOn&)>([](frmLogOn& w) { w.cmdExit->click(); });
        QTest::newRow("Escape") << std::function<void(frmLogOn&)>(
            [](frmLogOn& w) { QTest::keyClick(&w, Qt::Key_Escape); });
        QTest::newRow("press a name, release off it") << std::function<void(frmLogOn&)>([](frmLogOn& w) {
            QTest::mousePress(w.lblName[1], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            QTest::mouseRelease(w.lblName[1], Qt::LeftButton, Qt::NoModifier, QPoint(-20, 3));
            w.close();
        });
    }
    void closingTheLogOnWithoutAChoiceReturnsFalse() {
        QFETCH(std::function<void(frmLogOn&)>, close);
        TestEnvironment env;
        TwoTeachers(QStringLiteral("Mr. Brook"));
        WhenShown([] { QVERIFY(frmLogOn::Get().isVisible()); }, [close] { close(frmLogOn::Get()); });
        QVERIFY(!LogOnTeacher());
        QCOMPARE(Globals().CurrentTeacher, 0);
        QVERIFY(Globals().CurrentTeacherName.isEmpty());
        QVERIFY(!QFile::exists(env.SettingsFile())); // nothing written
        QVERIFY(!IsWindowOpen(QStringLiteral("frmLogOn")));
        VerifyNoUnexpectedMessages();
    }

    void theLogOnShowsItsTexts() {
        TestEnvironment env;
        TwoTeachers(QStringLiteral("<b>Mr. Brook</b>") + QString(200, QLatin1Char('x')));
        frmLogOn& window = frmLogOn::Get();
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillmarsh - Log On  "));
        QCOMPARE(window.lblTitle->text(), QStringLiteral("Quillmarsh"));
        QCOMPARE(window.lblVersion->text(), QStringLiteral("Version 1.3"));
        QCOMPARE(window.lblPrompt->text(), QStringLiteral("Click your name to Log On..."));
        QVERIFY(!window.lblNotice[1]->text().isEmpty());
        QVERIFY(window.lblNotice[2]->text().contains(QLatin1String("2026")));
        QCOMPARE(window.cmdExit->text(), QStringLiteral("Exit Program"));
        QCOMPARE(window.lblName[1]->text(), QStringLiteral("Ms. Avery"));
        // A name is shown as it was typed, never read as markup, and cut to what a window shows.
        QCOMPARE(window.lblName[2]->textFormat(), Qt::PlainText);
        QVERIFY(window.lblName[2]->text().startsWith(QLatin1String("<b>Mr. Brook</b>")));
        QVERIFY(window.lblName[2]->text().size() <= 120);
    }

    void theWelcomeShowsItsTexts() {
        TestEnvironment env;
        Globals().AppTitle = QStringLiteral("Quillmarsh");
        const QString paragraphs = QStringLiteral(
            "The Setup Dialog where you must enter the name of the Teacher(s) who will use this "
            "program, the type of School Day Cycle, and the School Days you are responsible to "
            "teach.\r\n\r\nYou must also enter the School Year Term Dates, Holiday and Inservice "
            "Dates, and your TimeTable information.\r\n\r\nPlease try to have this information "
            "available during Setup since these steps are required before you will be able to "
            "use the Quillmarsh program.\r\n\r\nIf you cancel Setup you can run it again by "
            "choosing 'Tools>Setup' from the Main Menu.");
        QCOMPARE(WelcomeDescription(1), paragraphs);
        SetWelcomeAnsweredForTests(false);
        WhenShown(
            [paragraphs] {
                const frmFirstUse& window = frmFirstUse::Get();
                QVERIFY(window.isVisible());
                QCOMPARE(window.windowTitle(), QStringLiteral("Quillmarsh - First Time Use  "));
                QCOMPARE(window.lblVersion->text(), QStringLiteral("Version 1.3"));
                QCOMPARE(window.fraIntro->title(), QStringLiteral("Welcome to Quillmarsh"));
                QCOMPARE(window.lblDescription[0]->text(),
                         QStringLiteral("After clicking OK you will be presented with..."));
                QCOMPARE(window.lblDescription[1]->text(),
                         QString(paragraphs).replace(QLatin1String("\r\n"), QLatin1String("\n")));
                QCOMPARE(window.lblDescription[2]->text(),
                         QStringLiteral("This message will not appear again after clicking OK."));
                QVERIFY(IsWindowOpen(QStringLiteral("frmFirstUse")));
            },
            [] { frmFirstUse::Get().OKButton->click(); });
        ShowFirstUseWelcome();
        QCOMPARE(WelcomeShownCount(), 1);
        QVERIFY(!frmFirstUse::IsLoaded());
        QVERIFY(!IsWindowOpen(QStringLiteral("frmFirstUse")));
    }

    void theSplashClosesOnAKeyOrAClickOnThePicture_data() {
        QTest::addColumn<bool>("key");
        QTest::newRow("key") << true;
        QTest::newRow("click on the picture") << false;
    }
    void theSplashClosesOnAKeyOrAClickOnThePicture() {
        QFETCH(bool, key);
        TestEnvironment env;
        ShowSplashScreen();
        QPointer<frmSplash> splash = frmSplash::IfLoaded();
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->lblversion->text(), QStringLiteral("Version 1.3"));
        QVERIFY(splash->lblNotice->text().contains(QLatin1String("2026")));
        // The key or the click comes while the start-up pauses on the splash, and ends the pause.
        QTimer::singleShot(50, splash, [splash, key] {
            if (key) {
                QTest::keyClick(splash.data(), Qt::Key_Space);
            } else {
                QTest::mouseClick(splash->Image1, Qt::LeftButton);
            }
        });
        SetSplashPauseForTests(20000);
        QElapsedTimer paused;
        paused.start();
        PauseOnSplash();
        SetSplashPauseForTests(0);
        QVERIFY(paused.elapsed() < 10000);
        QVERIFY(!frmSplash::IsLoaded());
        QTRY_VERIFY(splash.isNull());
        UnloadSplashScreen(); // Main's own unload finds nothing left to do
    }

    // The splash stays up behind the log-on, which the window manager keeps in front of it.
    void theLogOnStandsInFrontOfTheSplash() {
        TestEnvironment env;
        TwoTeachers(QStringLiteral("Mr. Brook"));
        ShowSplashScreen();
        bool splashShown = false;
        bool inFront = false;
        WhenShown(
            [&] {
                splashShown = frmSplash::IsLoaded() && frmSplash::Get().isVisible();
                // The splash stays on top: so does the log-on, in front of it.
                inFront = StaysInFrontOf(&frmLogOn::Get(), &frmSplash::Get()) &&
                          frmLogOn::Get().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            },
            [] { QTest::mouseClick(frmLogOn::Get().lblName[1], Qt::LeftButton); });
        QVERIFY(LogOnTeacher());
        QVERIFY(splashShown);
        QVERIFY(inFront);
        QCOMPARE(Globals().CurrentTeacher, 1);
        QVERIFY(frmSplash::Get().isVisible()); // until the main window shows
        UnloadSplashScreen();
    }

    // Where nothing opens a link or the read-me (the desktop's opener says so by its exit, as
    // xdg-open does without a browser or a mail program), the teacher is told that no program
    // could open it, and what it was; an opener that opened it leaves nothing more to say.
    void whatNoProgramCouldOpenIsSaid_data() {
        QTest::addColumn<std::function<void(frmAbout&)>>("act");
        QTest::addColumn<int>("exitCode");  // of the desktop's opener
        QTest::addColumn<QString>("asked"); // of the opener
        QTest::addColumn<QString>("told");  // empty: nothing
        const auto readMe = std::function<void(frmAbout&)>([](frmAbout& a) { a.cmdViewReadMe->click(); });
        QTest::newRow("read me") << readMe << 3 << "<program folder>/ReadMe.html"
                                 << "the read-me file:\r\n\r\n<program folder>/ReadMe.html";
        QTest::newRow("mail") << std::function<void(frmAbout&)>([](frmAbout& a) {
            QTest::mouseClick(a.lblEmail, Qt::LeftButton);
        }) << 3 << "mailto:quillmarsh@example.org?subject=Quillmarsh"
                              << "the mail address:\r\n\r\nquillmarsh@example.org";
        QTest::newRow("web site, the opener failed")
            << std::function<void(frmAbout&)>(
                   [](frmAbout& a) { QTest::mouseClick(a.lblWebSite, Qt::LeftButton); })
            << 4 << "https://quillmarsh.example.org/"
            << "the web page:\r\n\r\nhttps://quillmarsh.example.org/";
        QTest::newRow("read me, opened") << readMe << 0 << "<program folder>/ReadMe.html" << QString();
    }
    void whatNoProgramCouldOpenIsSaid() {
        QFETCH(std::function<void(frmAbout&)>, act);
        QFETCH(int, exitCode);
        QFETCH(QString, asked);
        QFETCH(QString, told);
        TestEnvironment env;
        const QString folder = UseFolderWithBlanks(env);
        asked.replace(QLatin1String("<program folder>"), folder);
        told.replace(QLatin1String("<program folder>"), folder);
        // The desktop's opener, first on the path: it notes what it was asked to open.
        const QString bin = env.ProgramFolder() + QStringLiteral("/bin");
        QDir().mkpath(bin);
        QFile opener(bin + QStringLiteral("/xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$1\" > '" + QFile::encodeName(bin) + "/asked'\nexit " +
                     QByteArray::number(exitCode) + "\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ':' + path);
        const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
        SetShellRecordingForTests(false);
        Globals().AppTitle = QStringLiteral("Quillmarsh");
        if (!told.isEmpty()) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        WhenShown([] {}, [act] { act(frmAbout::Get()); });
        ShowAboutBox();
        QVERIFY(!frmAbout::IsLoaded());
        // The opener has been heard out once it is gone.
        QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess*>().isEmpty());
        QCoreApplication::processEvents();
        QFile said(bin + QStringLiteral("/asked"));
        QVERIFY(said.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(said.readAll().trimmed()), asked);
        QCOMPARE(MessageTestSeam::Answered().size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            const auto& shown = MessageTestSeam::Answered().first();
            QCOMPARE(shown.text, QStringLiteral("No program on this computer could open ") + told);
            QCOMPARE(shown.title, QStringLiteral("Quillmarsh - Could Not Open"));
        }
        VerifyNoUnexpectedMessages();
    }

    void theAboutBoxsActionsGoThroughTheShellAndClose_data() {
        QTest::addColumn<std::function<void(frmAbout&)>>("act");
        QTest::addColumn<QString>("request"); // empty: none
        QTest::newRow("mail") << std::function<void(frmAbout&)>([](frmAbout& a) {
            QTest::mouseClick(a.lblEmail, Qt::LeftButton);
        }) << "mailto:quillmarsh@example.org?subject=Quillmarsh";
        QTest::newRow("web site") << std::function<void(frmAbout&)>([](frmAbout& a) {
            QTest::mouseClick(a.lblWebSite, Qt::LeftButton);
        }) << "https://quillmarsh.example.org/";
        QTest::newRow("read me") << std::function<void(frmAbout&)>([](frmAbout& a) {
            a.cmdViewReadMe->click();
        }) << "<program folder>/ReadMe.html";
        QTest::newRow("credits") << std::function<void(frmAbout&)>([](frmAbout& a) { a.cmdCredits->click(); })
                                 << "";
        QTest::newRow("OK") << std::function<void(frmAbout&)>([](frmAbout& a) { a.cmdOK->click(); }) << "";
    }
    void theAboutBoxsActionsGoThroughTheShellAndClose() {
        QFETCH(std::function<void(frmAbout&)>, act);
        QFETCH(QString, request);
        TestEnvironment env;
        const QString folder = UseFolderWithBlanks(env);
        request.replace(QLatin1String("<program folder>"), folder);
        Globals().AppTitle = QStringLiteral("Quillmarsh");
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // the credits, where they are asked for
        WhenShown(
            [] {
                QVERIFY(frmAbout::Get().isVisible());
                QVERIFY(IsWindowOpen(QStringLiteral("frmAbout")));
            },
            [act] { act(frmAbout::Get()); });
        ShowAboutBox();
        QVERIFY(!frmAbout::IsLoaded());
        QVERIFY(!IsWindowOpen(QStringLiteral("frmAbout")));
        QCOMPARE(RecordedShellRequests(), request.isEmpty() ? QStringList() : QStringList{request});
        const bool credits = MessageTestSeam::Answered().size() == 1;
        QCOMPARE(credits, QTest::currentDataTag() == QLatin1String("credits"));
        if (credits) {
            const auto& shown = MessageTestSeam::Answered().first();
            QCOMPARE(shown.text, CreditsText());
            QVERIFY(shown.text.startsWith(
                QLatin1String("Many thanks to Menu Works for\r\nthe use of MenuExtended to "
                              "enhance\r\nthe Main Menu Styles and Colours.\r\n\r\n")));
            QCOMPARE(shown.title, QStringLiteral("Quillmarsh"));
            QCOMPARE(shown.buttons, int(MsgOK));
            QCOMPARE(shown.icon, int(MsgInformation));
            QCOMPARE(shown.helpContext, 0);
        }
        VerifyNoUnexpectedMessages();
    }

    void theAboutBoxShowsItsTexts() {
        TestEnvironment env;
        Globals().AppTitle = QStringLiteral("Quillmarsh");
        frmAbout& about = frmAbout::Get();
        QCOMPARE(about.windowTitle(), QStringLiteral("Quillmarsh - About  "));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.3"));
        QCOMPARE(about.lblDescription->text(), AboutDescription());
        QVERIFY(about.lblDescription->text().startsWith(
            QLatin1String("This program is designed to be used as a Day Plan Book by teachers. After")));
        QCOMPARE(about.lblWebSite->text(), QStringLiteral("WebSite HomePage"));
        QCOMPARE(about.lblEmail->text(), QStringLiteral("quillmarsh@example.org"));
        QCOMPARE(
            about.lblThankyou->text(),
            QStringLiteral("Please report any problems or ideas for new features to the email address shown "
                           "above.\nThank you for your consideration."));
        QCOMPARE(about.cmdViewReadMe->text(), QStringLiteral("View Read Me"));
        QCOMPARE(about.cmdCredits->text(), QStringLiteral("Credits"));
        frmAbout::Unload();
    }

    // Closing the log-on at log-off ends the program through the main window's own close, so
    // what the teacher was writing is kept; the program does not just stop.
    void closingTheLogOnAtLogOffKeepsTheEdits() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        QTest::qWait(1);
        frmSchedule::Get().txtNotes->setPlainText(QStringLiteral("Bring the globe"));
        const QString shown = frmSchedule::Get().txtDate->Text();
        SetLogOnChoiceForTests(0);
        frmMain::Get().mnuFLogoff_Click();
        QVERIFY(!frmMain::IsLoaded());
        QVERIFY(!frmSchedule::IsLoaded());
        QCOMPARE(
            QueryValue(env.DatabasePath(), QStringLiteral("SELECT Notes FROM QLM WHERE Date = ?"), {shown})
                .toString(),
            QStringLiteral("Bring the globe"));
        QCOMPARE(Globals().CurrentTeacher, 1);
        VerifyNoUnexpectedMessages();
    }

    // A look at each window as a teacher sees it, on request.
    void windowsCanBeLookedAt() {
        const QString folder = qEnvironmentVariable("QLM_SHOTS");
        if (folder.isEmpty()) {
            QSKIP("set QLM_SHOTS to a folder to save pictures of the windows");
        }
        TestEnvironment env;
        TwoTeachers(QStringLiteral("Mr. Brook"));
        ShowSplashScreen();
        frmSplash::IfLoaded()->grab().save(folder + QStringLiteral("/splash.png"));
        UnloadSplashScreen();
        frmLogOn& logOn = frmLogOn::Get();
        logOn.show();
        MoveOver(logOn.lblName[1], QPoint(5, 5));
        logOn.grab().save(folder + QStringLiteral("/logon.png"));
        frmLogOn::Unload();
        frmFirstUse& welcome = frmFirstUse::Get();
        welcome.show();
        welcome.grab().save(folder + QStringLiteral("/firstuse.png"));
        frmFirstUse::Unload();
        frmAbout& about = frmAbout::Get();
        about.show();
        about.grab().save(folder + QStringLiteral("/about.png"));
        frmAbout::Unload();
    }
};

QTEST_MAIN(StartupDialogsTest)
#include "tst_startupdialogs.moc"
