#include "app/Main.h"
#include "core/DatabaseFiles.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "core/SuppliedDatabase.h"
#include "daypage/frmSchedule.h"
#include "dialogs/frmMsg.h"
#include "files/PackConfig.h"
#include "files/frmFileDialog.h"
#include "files/frmPackConfig.h"
#include "files/frmPackMsg.h"
#include "mainwindow/frmMain.h"
#include "platform/FileCopy.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "support/UiTestSupport.h"
#include "widgets/Help.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {
bool Started(bool packRun = false) {
    BuildYear(YearPlan{});
    if (packRun) {
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), QStringLiteral("1"));
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackConfig"), QStringLiteral("True"));
        MessageTestSeam::QueueAnswer(MsgAnswerNo); // the offer to unpack at start-up
    }
    if (!Main()) {
        return false;
    }
    QTest::qWait(1); // the page activates once the start-up has finished
    return true;
}

frmFileDialog& FileDialog() {
    return *frmFileDialog::IfLoaded();
}

// A look at a window as the teacher sees it, when asked for.
void Grab(QWidget* window, const char* name) {
    const QString folder = qEnvironmentVariable("QLM_GRAB_DIR");
    if (!folder.isEmpty()) {
        window->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
}

QString Shown() {
    return frmSchedule::Get().txtDate->Text();
}

const QString kKept = QStringLiteral("QLM - kept 2026-12-07 14.05.mdb");

// Every book of the folder, by name, with what it holds.
QMap<QString, QByteArray> Books(const QString& folder) {
    QMap<QString, QByteArray> books;
    for (const QString& name : ListDatabaseFiles(folder)) {
        QFile file(folder + QLatin1Char('/') + name);
        books.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return books;
}

// Plays a window manager that maps a new window a moment after the program shows it, as X11's
// do: the window's first expose is held back and comes 50 ms later.
class LateMapping : public QObject {
public:
    explicit LateMapping(QWindow* window) : m_window(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::Expose || m_held) {
            return false;
        }
        m_held = true;
        QTimer::singleShot(50, m_window, [window = m_window] {
            QExposeEvent mapped(QRegion(QRect(QPoint(), window->size())));
            QCoreApplication::sendEvent(window, &mapped);
        });
        return true;
    }

private:
    QWindow* m_window;
    bool m_held = false;
};

// Runs the drive dialog, doing `work` in it once it shows.
void WithDriveDialog(std::function<void(frmPackConfig&)> work) {
    QTimer::singleShot(0, [work] {
        if (frmPackConfig* dialog = frmPackConfig::IfLoaded()) {
            work(*dialog);
        }
    });
    ShowPackConfigDialog();
}
} // namespace

class tst_FileWindows : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_drives;

private Q_SLOTS:
    void cleanup() { RemovableDrivesSeam::ClearForTests(); }

    void saveAsMakesTheNamedBook() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain::Get().mnuFSaveAs_Click();
        frmFileDialog& dialog = FileDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("DataBase Save As"));
        QCOMPARE(dialog.cmdOK->text(), QStringLiteral("Save As"));
        QVERIFY(!dialog.txtFileName->isReadOnly());
        QCOMPARE(dialog.txtFileName->text(), QStringLiteral("QLM.mdb"));
        QCOMPARE(dialog.filFiles->currentItem()->text(), QStringLiteral("QLM.mdb"));
        QCOMPARE(dialog.txtFileType->text(), QStringLiteral("DataBase (*.mdb)"));
        QCOMPARE(dialog.txtLocation->text(), env.ProgramFolder());
        Grab(&dialog, "save-as");
        dialog.txtFileName->setText(QStringLiteral("Term2"));
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        VerifyNoUnexpectedMessages();
        QVERIFY(FileExists(env.ProgramFolder() + QStringLiteral("/Term2.mdb")));
        QVERIFY(!frmFileDialog::IsLoaded());
        QVERIFY(frmMain::Get().windowTitle().endsWith(QStringLiteral(" - Term2.mdb")));
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName")),
                 QStringLiteral("\\Term2.mdb"));
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
        QVERIFY(!Globals().BlankDataBase);
    }

    void saveAsRefusesAndOffersAnotherTry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("same name, try again") << "QLM" << int(MsgAnswerCancel) << "The File Name is the same";
        QTest::newRow("same name, leave") << "QLM.mdb" << int(MsgAnswerOK) << "The File Name is the same";
        QTest::newRow("blank") << "" << int(MsgAnswerCancel) << "A Blank File Name";
        QTest::newRow("another folder") << "../Term2" << int(MsgAnswerOK) << "The File Name may not";
    }

    void saveAsRefusesAndOffersAnotherTry() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, textStart);
        TestEnvironment env;
        QVERIFY(Started());
        frmMain::Get().mnuFSaveAs_Click();
        FileDialog().txtFileName->setText(typed);
        MessageTestSeam::QueueAnswer(answer);
        FileDialog().cmdOK_Click();
        VerifyNoUnexpectedMessages();
        const auto& error = MessageTestSeam::Answered().last();
        QVERIFY(error.text.startsWith(textStart));
        QVERIFY(error.text.endsWith(QStringLiteral("'OK' to Exit\r\n'Cancel' to try again.")));
        QCOMPARE(error.title, QStringLiteral("Quillmarsh - Save As Error"));
        QCOMPARE(error.buttons, int(MsgOKCancel));
        QCOMPARE(error.icon, int(MsgWarning));
        QCOMPARE(frmFileDialog::IsLoaded(), answer == MsgAnswerCancel);
        QCOMPARE(QDir(env.ProgramFolder()).entryList({QStringLiteral("*.mdb")}), QStringList{"QLM.mdb"});
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\QLM.mdb"));
    }

    // Save As by keys, and the question by keys in the real message box: typed letters make the
    // name; another book's, typed or chosen in the list, is replaced only on Yes (No is the default).
    void saveAsAsksBeforeReplacingAnotherBook_data() {
        QTest::addColumn<QString>("typed");         // where Save As starts
        QTest::addColumn<int>("listKey");           // then in the list, reached by Shift+Tab
        QTest::addColumn<QList<int>>("answerKeys"); // in the question
        QTest::addColumn<QString>("asked");         // the book it names; "" when none is asked
        QTest::addColumn<bool>("saved");
        const QList<int> no{Qt::Key_Return};
        QTest::newRow("a new name typed") << "Term3" << 0 << no << "" << true;
        QTest::newRow("another book's name typed, Escape")
            << "Term2" << 0 << QList<int>{Qt::Key_Escape} << "Term2.mdb" << false;
        QTest::newRow("another book chosen, Return") << "" << int(Qt::Key_Down) << no << "Term2.mdb" << false;
        QTest::newRow("a kept copy chosen, Return") << "" << int(Qt::Key_Up) << no << kKept << false;
        QTest::newRow("another book chosen, Yes")
            << "" << int(Qt::Key_Down) << QList<int>{Qt::Key_Backtab, Qt::Key_Return} << "Term2.mdb" << true;
    }
    void saveAsAsksBeforeReplacingAnotherBook() {
        QFETCH(QString, typed);
        QFETCH(int, listKey);
        QFETCH(QList<int>, answerKeys);
        QFETCH(QString, asked);
        QFETCH(bool, saved);
        TestEnvironment env;
        QVERIFY(Started());
        for (const QString& name : {QStringLiteral("Term2.mdb"), kKept}) {
            QFile book(env.ProgramFolder() + QLatin1Char('/') + name);
            QVERIFY(book.open(QIODevice::WriteOnly) && book.write("its own lesson plans") > 0);
        }
        QMap<QString, QByteArray> before = Books(env.ProgramFolder());
        ShowFileDialog(QStringLiteral("Save As"));
        frmFileDialog& dialog = FileDialog();
        QTest::qWait(10); // the page's own activation runs first
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.txtFileName);
        QTest::keyClicks(QApplication::focusWidget(), typed); // keys go where the focus is
        if (listKey != 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(listKey));
        }
        QString question;
        MessageTestSeam::Enable(false);
        InstallMessageBox();
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<frmMsg*>(QApplication::activeModalWidget())) {
                question = box->windowTitle() + QLatin1Char('|') + box->lblMsg->text();
                box->activateWindow(); // its owner counts as active until the box itself is
                QTRY_COMPARE(QApplication::activeWindow(), box);
                for (const int key : answerKeys) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
                }
                box->close(); // when the keys did not answer
            }
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        MessageTestSeam::Enable(true);
        QCOMPARE(question, asked.isEmpty()
                               ? QString()
                               : QStringLiteral("Quillmarsh - Save As|The DataBase File %1 already "
                                                "exists.\nIts lesson plans will be replaced by those "
                                                "of QLM.mdb.\n\nDo you want to replace it?")
                                     .arg(asked));
        const QString named = asked.isEmpty() ? typed + QStringLiteral(".mdb") : asked;
        QCOMPARE(Globals().DBaseFileName, QLatin1Char('\\') + (saved ? named : QStringLiteral("QLM.mdb")));
        QCOMPARE(frmFileDialog::IsLoaded(), !saved);
        if (!saved) { // open for another name, which typing replaces
            QCOMPARE(dialog.focusWidget(), dialog.txtFileName);
            QCOMPARE(dialog.txtFileName->selectedText(), dialog.txtFileName->text());
        }
        // The named file holds the book in use only when saved; every other file is as it was.
        QMap<QString, QByteArray> after = Books(env.ProgramFolder());
        QCOMPARE(after.take(named) != before.take(named), saved);
        QCOMPARE(after, before);
        VerifyNoUnexpectedMessages();
    }

    void openTakesTheDoubleClickedBook() {
        TestEnvironment env;
        QVERIFY(Started());
        const QString term2 = env.ProgramFolder() + QStringLiteral("/Term2.mdb");
        QVERIFY(QFile::copy(env.DatabasePath(), term2));
        QVERIFY(
            ExecSql(term2, QStringLiteral("UPDATE QLM SET Notes = 'term two' WHERE Date = '2026-10-14'")));
        QFile journal(env.ProgramFolder() + QStringLiteral("/Term2.mdb-journal"));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        frmMain::Get().mnuFOpen_Click();
        frmFileDialog& dialog = FileDialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("DataBase Open"));
        QVERIFY(dialog.txtFileName->isReadOnly());
        QCOMPARE(dialog.filFiles->count(), 2);
        // The page's own activation has run by now; then the dialog is the active window.
        QTest::qWait(10);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // No read-only box takes the caret.
        QCOMPARE(QApplication::focusWidget(), dialog.filFiles);
        QTest::mouseClick(dialog.txtLocation, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), dialog.filFiles);
        QListWidgetItem* item = dialog.filFiles->item(1);
        QCOMPARE(item->text(), QStringLiteral("Term2.mdb"));
        QTest::mouseClick(dialog.filFiles->viewport(), Qt::LeftButton, {},
                          dialog.filFiles->visualItemRect(item).center());
        QCOMPARE(dialog.txtFileName->text(), QStringLiteral("Term2.mdb"));
        QTest::mouseDClick(dialog.filFiles->viewport(), Qt::LeftButton, {},
                           dialog.filFiles->visualItemRect(item).center());
        VerifyNoUnexpectedMessages();
        QVERIFY(!frmFileDialog::IsLoaded());
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\Term2.mdb"));
        QVERIFY(frmMain::Get().windowTitle().endsWith(QStringLiteral(" - Term2.mdb")));
        QCOMPARE(frmSchedule::Get().txtNotes->Text(), QStringLiteral("term two"));
    }

    // A book without a school year leaves DataBase Open usable, also after a restart that opens
    // that book again: the way back to the teacher's own book.
    void aBookWithoutAYearKeepsTheWayBack() {
        TestEnvironment env;
        QVERIFY(Started());
        QVERIFY(CreateSuppliedDatabase(env.ProgramFolder() + QStringLiteral("/Blank.mdb")));
        for (const QString& name : {QStringLiteral("Blank.mdb"), QStringLiteral("QLM.mdb")}) {
            QVERIFY(frmMain::Get().mnuFOpen->isEnabled());
            frmMain::Get().mnuFOpen->trigger();
            FileDialog().filFiles_DblClick(FileDialog().filFiles->findItems(name, Qt::MatchExactly).value(0));
            QCOMPARE(Globals().BlankDataBase, name == QLatin1String("Blank.mdb"));
            if (Globals().BlankDataBase) {
                frmMain::Get().close();
                SingleInstance::Release();
                QVERIFY(Main());
                QTest::qWait(1);
                QVERIFY(Globals().BlankDataBase);
            }
        }
        VerifyNoUnexpectedMessages();
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
    }

    // A teacher with only a keyboard chooses a book: File Name follows the list's highlight
    // however it moved, and Open (Return, or the button reached by Tab) takes that book, also
    // from a book without a school year back to the teacher's own. Save As starts in File Name,
    // beside the list.
    void openAndSaveAsTakeTheBookChosenByKeys_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QList<int>>("keys"); // pressed where the dialog puts the focus
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("arrow down, Return") << "Open" << QList<int>{Qt::Key_Down} << false << "Term2.mdb";
        QTest::newRow("arrow up to the blank book, the button")
            << "Open" << QList<int>{Qt::Key_Up} << true << "Blank.mdb";
        QTest::newRow("End, the button") << "Open" << QList<int>{Qt::Key_End} << true << "Term2.mdb";
        QTest::newRow("a typed letter, Return") << "Open" << QList<int>{Qt::Key_B} << false << "Blank.mdb";
        QTest::newRow("Save As, Shift+Tab to the list, arrow down, Return")
            << "Save As" << QList<int>{Qt::Key_Backtab, Qt::Key_Down} << false << "Term2.mdb";
    }
    void openAndSaveAsTakeTheBookChosenByKeys() {
        QFETCH(QString, mode);
        QFETCH(QList<int>, keys);
        QFETCH(bool, byButton);
        QFETCH(QString, chosen);
        TestEnvironment env;
        QVERIFY(Started());
        QVERIFY(CreateSuppliedDatabase(env.ProgramFolder() + QStringLiteral("/Blank.mdb")));
        QVERIFY(QFile::copy(env.DatabasePath(), env.ProgramFolder() + QStringLiteral("/Term2.mdb")));
        auto choose = [&](const QString& dialogMode, const QList<int>& pressed, bool button) {
            ShowFileDialog(dialogMode);
            frmFileDialog& dialog = FileDialog();
            QTest::qWait(10); // the page's own activation runs first
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            // A control the teacher sees, and can type into in Save As.
            const bool saveAs = dialogMode == QLatin1String("Save As");
            QCOMPARE(QApplication::focusWidget(), saveAs ? static_cast<QWidget*>(dialog.txtFileName)
                                                         : static_cast<QWidget*>(dialog.filFiles));
            for (const int key : pressed) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            QCOMPARE(dialog.txtFileName->text(), dialog.filFiles->currentItem()->text());
            if (saveAs) {
                MessageTestSeam::QueueAnswer(MsgAnswerYes); // every listed name is another book's
            }
            if (button) {
                QTest::keyClick(dialog.filFiles, Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), dialog.cmdOK);
                QTest::keyClick(dialog.cmdOK, Qt::Key_Space);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QVERIFY(!frmFileDialog::IsLoaded());
        };
        choose(mode, keys, byButton);
        QCOMPARE(Globals().DBaseFileName, QLatin1Char('\\') + chosen);
        QCOMPARE(Globals().BlankDataBase, chosen == QLatin1String("Blank.mdb"));
        // And back to the teacher's own book, by its first letter.
        choose(QStringLiteral("Open"), {Qt::Key_Q}, false);
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\QLM.mdb"));
        QVERIFY(!Globals().BlankDataBase);
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
        VerifyNoUnexpectedMessages();
    }

    // The list shows every name holding ".mdb", as "Year.mdb.old"; Open takes a book under such a
    // name and refuses a file that is no book.
    void openListsEveryNameHoldingTheExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("book");
        QTest::newRow("an old copy of the book") << "Year.mdb.old" << true;
        QTest::newRow("not a book") << "Letters.MDB.txt" << false;
    }
    void openListsEveryNameHoldingTheExtension() {
        QFETCH(QString, name);
        QFETCH(bool, book);
        TestEnvironment env;
        QVERIFY(Started());
        const QString path = env.ProgramFolder() + QLatin1Char('/') + name;
        if (book) {
            QVERIFY(QFile::copy(env.DatabasePath(), path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Dear parents,");
        }
        frmMain::Get().mnuFOpen_Click();
        frmFileDialog& dialog = FileDialog();
        const QList<QListWidgetItem*> found = dialog.filFiles->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        if (!book) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        dialog.filFiles_DblClick(found.first());
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::QueuedAnswers(), 0);
        QVERIFY(!frmFileDialog::IsLoaded());
        QCOMPARE(Globals().DBaseFileName, book ? QLatin1Char('\\') + name : QStringLiteral("\\QLM.mdb"));
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
    }

    void helpAndInformation() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain::Get().mnuFOpen_Click();
        QTest::mouseClick(FileDialog().cmdHelp, Qt::LeftButton);
        QCOMPARE(RecordedHelpCalls().last().context, 340);
        QCOMPARE(RecordedHelpCalls().last().command, HH_HELP_CONTEXT);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QTest::mouseClick(FileDialog().cmdInfo, Qt::LeftButton);
        VerifyNoUnexpectedMessages();
        const auto& info = MessageTestSeam::Answered().last();
        QVERIFY(info.text.startsWith(
            QStringLiteral("Opening:\r\nOnly open a DataBase File created by Quillmarsh")));
        QCOMPARE(info.helpContext, 170);
        QCOMPARE(info.icon, int(MsgInformation));
        QCOMPARE(info.title, QStringLiteral("Quillmarsh - Important Information"));
        QTest::mouseClick(FileDialog().cmdCancel, Qt::LeftButton);
        QVERIFY(!frmFileDialog::IsLoaded());
    }

    void theDriveDialog_data() {
        QTest::addColumn<bool>("configuredBefore");
        QTest::addColumn<bool>("pressOK");
        QTest::addColumn<bool>("folderThere");
        QTest::newRow("OK on a drive") << false << true << false;
        QTest::newRow("OK, the folder is there") << false << true << true;
        QTest::newRow("cancel, no drive before") << false << false << false;
        QTest::newRow("cancel, a drive before") << true << false << false;
    }

    void theDriveDialog() {
        QFETCH(bool, configuredBefore);
        QFETCH(bool, pressOK);
        QFETCH(bool, folderThere);
        TestEnvironment env;
        QVERIFY(Started());
        const QString stick = m_drives.filePath(QStringLiteral("STICK"));
        QDir(stick).removeRecursively();
        QDir().mkpath(folderThere ? stick + QStringLiteral("/VNT") : stick);
        RemovableDrivesSeam::SetDrivesForTests({stick});
        Globals().PackConfig = configuredBefore;
        bool okAtLoad = true;
        WithDriveDialog([&](frmPackConfig& dialog) {
            okAtLoad = dialog.cmdOK->isEnabled();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Quillmarsh - Pack To Go Configuration  "));
            QVERIFY(dialog.lblDescription->text().contains(
                QStringLiteral("Click 'Scan for Portable Drives' when ready.")));
            QTest::mouseClick(dialog.cmdScan, Qt::LeftButton);
            QCOMPARE(dialog.lvwDrives->count(), 1);
            QCOMPARE(Globals().PackPath, stick);
            Grab(&dialog, "pack-config");
            QTest::mouseClick(pressOK ? dialog.cmdOK : dialog.cmdCancel, Qt::LeftButton);
        });
        VerifyNoUnexpectedMessages();
        QVERIFY(!okAtLoad);
        QVERIFY(!frmPackConfig::IsLoaded());
        QCOMPARE(Globals().PackConfig, pressOK || configuredBefore);
        QCOMPARE(DriveDialogEndedWithOK(), pressOK);
        QCOMPARE(QFileInfo(stick + QStringLiteral("/VNT")).isDir(), pressOK || folderThere);
        if (pressOK) {
            QCOMPARE(Globals().PackPath, stick + QStringLiteral("/VNT"));
        }
    }

    void anEmptyChoiceBeeps() {
        TestEnvironment env;
        QVERIFY(Started());
        const QString stick = m_drives.filePath(QStringLiteral("STICK"));
        QDir().mkpath(stick);
        RemovableDrivesSeam::SetDrivesForTests({stick});
        const int beeps = frmPackConfig::Beeps;
        bool stayedOpen = false;
        WithDriveDialog([&](frmPackConfig& dialog) {
            QTest::mouseClick(dialog.cmdScan, Qt::LeftButton);
            // The drive is pulled out; the next scan finds none.
            RemovableDrivesSeam::SetDrivesForTests({});
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
            QTest::mouseClick(dialog.cmdScan, Qt::LeftButton);
            QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
            stayedOpen = dialog.isVisible();
            dialog.cmdCancel_Click();
        });
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::Answered().last().text.right(31),
                 QStringLiteral("Please insert it and try again."));
        QVERIFY(stayedOpen);
        QCOMPARE(frmPackConfig::Beeps, beeps + 1);
        QVERIFY(!Globals().PackConfig);
    }

    // Yes to the offer at start-up, and to taking the newer book (this computer remembers no
    // exchange, so it asks): the drive's book replaces the page's book while the page is becoming
    // active, and the page comes back on it.
    void theStartupOfferTakesTheNewerBook() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), QStringLiteral("1"));
        const QString stick = m_drives.filePath(QStringLiteral("OFFER"));
        QDir().mkpath(stick + QStringLiteral("/VNT"));
        const QString packed = stick + QStringLiteral("/VNT/QLM.mdb");
        QFile::remove(packed);
        QVERIFY(QFile::copy(env.DatabasePath(), packed));
        QVERIFY(
            ExecSql(packed, QStringLiteral("UPDATE QLM SET Notes = 'from home' WHERE Date = '2026-10-14'")));
        QVERIFY(SetModifiedTime(packed, ModifiedTime(env.DatabasePath()).value() + 60LL * 1000000000));
        RemovableDrivesSeam::SetDrivesForTests({stick});
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // where this computer's book is kept
        QVERIFY(Main());
        QTRY_COMPARE(MessageTestSeam::QueuedAnswers(), 0);
        QTRY_COMPARE(frmSchedule::Get().txtNotes->Text(), QStringLiteral("from home"));
        VerifyNoUnexpectedMessages();
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
        QVERIFY(Globals().UnPackOffered);
    }

    // Pack To Go turned on later in the run: the first pack loads the page again, and the page's
    // activation then makes the offer that a start without Pack To Go did not.
    void theOfferWaitsForPackToGo() {
        TestEnvironment env;
        QVERIFY(Started());
        QVERIFY(!Globals().UnPackOffered);
        const QString stick = m_drives.filePath(QStringLiteral("LATER"));
        QDir().mkpath(stick + QStringLiteral("/VNT"));
        RemovableDrivesSeam::SetDrivesForTests({stick});
        QVERIFY(FindPortableDrives(2));
        Globals().PackPath = stick + QStringLiteral("/VNT");
        Globals().PackRun = 1; // ticked in the options, as their configure sequence does
        MessageTestSeam::QueueAnswer(MsgAnswerNo);
        QVERIFY(MakeFirstPack());
        QTRY_COMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Pack To Go Update"));
        QVERIFY(Globals().UnPackOffered);
        VerifyNoUnexpectedMessages();
    }

    void theProgressWindowIsOnTheScreenWhenItsShowStepReturns() {
        TestEnvironment env;
        QVERIFY(Started());
        frmPackMsg& progress = frmPackMsg::Get();
        progress.winId();
        const LateMapping windowManager(progress.windowHandle());
        ShowPackMsg(QStringLiteral("Quillmarsh - Pack To Go using Drive: STICK"),
                    QStringLiteral("Packing up now.  One Moment Please..."));
        // What the screen holds now, before the long work keeps the event loop waiting: not
        // what the window would paint if it were asked.
        const QImage seen = progress.screen()->grabWindow(progress.winId()).toImage();
        QVERIFY(!seen.isNull());
        const QRect label = progress.lblPackMsg->geometry();
        const QColor back = progress.lblPackMsg->palette().color(QPalette::Window);
        int backPixels = 0;
        int inkPixels = 0;
        for (int y = label.top(); y <= label.bottom(); ++y) {
            for (int x = label.left(); x <= label.right(); ++x) {
                const QColor pixel = seen.pixelColor(x, y);
                backPixels += pixel == back ? 1 : 0;
                inkPixels += pixel.lightness() < back.lightness() - 80 ? 1 : 0;
            }
        }
        QVERIFY2(backPixels > label.width() * label.height() / 2, "the text's background is painted");
        QVERIFY2(inkPixels > 30, "the text is painted");
        ClosePackMsg();
    }

    // The progress window leaves its caption room beside three title-bar buttons, within the screen.
    void theProgressWindowFitsItsCaption() {
        TestEnvironment env;
        const QString caption =
            QStringLiteral("Quillmarsh - Pack To Go using Drive: ") + QString(300, QLatin1Char('W'));
        ShowPackMsg(caption, QStringLiteral("Packing up now.  One Moment Please..."));
        const frmPackMsg& progress = *frmPackMsg::IfLoaded();
        QFont bold = progress.font();
        bold.setBold(true);
        const int needed = QFontMetrics(bold).horizontalAdvance(caption) + 3 * QFontMetrics(bold).height();
        QCOMPARE(progress.width(), std::min(needed, progress.screen()->availableGeometry().width()));
        ClosePackMsg();
    }

    // The first pack, a pack and an unpack through the real windows: the page closes and comes
    // back each time, and the progress window names the drive.
    void packingThroughTheWindows() {
        TestEnvironment env;
        QVERIFY(Started(true));
        QTRY_COMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Pack To Go Update"));
        const QString stick = m_drives.filePath(QStringLiteral("STICK"));
        QDir(stick).removeRecursively();
        QDir().mkpath(stick + QStringLiteral("/VNT"));
        RemovableDrivesSeam::SetDrivesForTests({stick});
        QVERIFY(FindPortableDrives(2));
        Globals().PackPath = stick + QStringLiteral("/VNT");
        QVERIFY(MakeFirstPack());
        VerifyNoUnexpectedMessages();
        const QString packed = stick + QStringLiteral("/VNT/QLM.mdb");
        QVERIFY(FileExists(packed));
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
        QVERIFY(frmMain::Get().CoolBarBand2->text().startsWith(QStringLiteral("Last Pack To Go: ")));

        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        frmMain::Get().mnuFPack_Click();
        VerifyNoUnexpectedMessages();
        QVERIFY(ModifiedTime(packed) >= ModifiedTime(env.DatabasePath()));
        QVERIFY(!frmPackMsg::IsLoaded());

        // The same book on the drive: nothing to take, said for a moment.
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        frmMain::Get().mnuFUnPack_Click();
        VerifyNoUnexpectedMessages();
        QVERIFY(frmPackMsg::IsLoaded());
        frmPackMsg& progress = *frmPackMsg::IfLoaded();
        QCOMPARE(progress.lblPackMsg->text(), QStringLiteral("File is Up To Date..."));
        QCOMPARE(progress.windowTitle(), QStringLiteral("Quillmarsh - Pack To Go using Drive: STICK"));
        Grab(&progress, "pack-msg");
        QTRY_VERIFY_WITH_TIMEOUT(!frmPackMsg::IsLoaded(), 10000);
        // The start-up offer was made once, whatever the page's reloads.
        int offers = 0;
        for (const auto& shown : MessageTestSeam::Answered()) {
            offers += shown.title == QLatin1String("Quillmarsh - Pack To Go Update") ? 1 : 0;
        }
        QCOMPARE(offers, 1);
    }
};

QTEST_MAIN(tst_FileWindows)
#include "tst_filewindows.moc"
