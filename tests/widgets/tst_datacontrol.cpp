#include "core/SuppliedDatabase.h"
#include "platform/Recordset.h"
#include "support/TestSupport.h"
#include "widgets/BoundControls.h"
#include "widgets/DataControl.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class DataControlTest : public QObject {
    Q_OBJECT

    ScratchDatabase m_scratch;
    QString m_path;

    void fillFiveDays() { FillFiveDays(m_path); }
    void openDays(Recordset& days) { QVERIFY(OpenFiveDays(days, m_path)); }

private Q_SLOTS:
    void init() { m_path = m_scratch.Fresh(); }

    void boundControlsShowAndStoreTheirField() {
        fillFiveDays();
        Recordset days;
        DataControl control(days);
        BoundLabel date;
        BoundMemo notes;
        control.Bind(&date, QStringLiteral("Date"));
        control.Bind(&notes, QStringLiteral("Notes"));
        openDays(days);
        QCOMPARE(date.Caption(), QStringLiteral("2026-09-01"));
        days.MoveNext();
        QCOMPARE(notes.Text(), QStringLiteral("n 2026-09-02"));

        // An edit goes to the row it was made on when the row is left.
        notes.setText(QStringLiteral("Bring the atlas"));
        days.MoveNext();
        DatabaseProbe probe(m_path);
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-02'")).toString(),
                 QStringLiteral("Bring the atlas"));
        QCOMPARE(notes.Text(), QStringLiteral("n 2026-09-03"));

        // Typing straight into the box (no setter) counts as well, and Update stores it.
        notes.setPlainText(QStringLiteral("typed"));
        QVERIFY(days.Update());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-03'")).toString(),
                 QStringLiteral("typed"));
    }

    void aPendingEditIsStoredWhenTheControlCloses() {
        fillFiveDays();
        {
            Recordset days;
            DataControl control(days);
            BoundMemo notes;
            control.Bind(&notes, QStringLiteral("Notes"));
            openDays(days);
            notes.Text();
            notes.setPlainText(QStringLiteral("written at exit"));
            days.Close();
        }
        QCOMPARE(DatabaseProbe(m_path)
                     .value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'"))
                     .toString(),
                 QStringLiteral("written at exit"));

        // The control going away before the data control still hands its edit over.
        Recordset days;
        DataControl control(days);
        openDays(days);
        {
            BoundMemo notes;
            control.Bind(&notes, QStringLiteral("Notes"));
            control.RefreshBoundControls();
            notes.setPlainText(QStringLiteral("edited, then the box closed"));
        }
        days.Close();
        QCOMPARE(DatabaseProbe(m_path)
                     .value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'"))
                     .toString(),
                 QStringLiteral("edited, then the box closed"));
    }

    void movingWithoutEditsWritesNothing() {
        fillFiveDays();
        DatabaseProbe probe(m_path);
        probe.exec(QStringLiteral("UPDATE QLM SET Notes = NULL WHERE Date = '2026-09-01'"));
        probe.exec(QStringLiteral("UPDATE QLM SET Notes = 'line one\r\nline two' WHERE Date = '2026-09-02'"));
        Recordset days;
        DataControl control(days);
        BoundMemo notes;
        BoundLabel date;
        control.Bind(&notes, QStringLiteral("Notes"));
        control.Bind(&date, QStringLiteral("Date"));
        openDays(days);
        for (int i = 0; i < 3; ++i) {
            control.RefreshBoundControls();
            days.MoveNext();
        }
        days.Close();
        // A Null stays Null, and line breaks the box shows differently are not rewritten.
        QVERIFY(
            probe.value(QStringLiteral("SELECT Notes IS NULL FROM QLM WHERE Date = '2026-09-01'")).toBool());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-02'")).toString(),
                 QStringLiteral("line one\r\nline two"));
    }

    void anEditKeepsTheStoredLineBreaksAndCharacters() {
        fillFiveDays();
        DatabaseProbe probe(m_path);
        probe.exec(QString::fromUtf8("UPDATE QLM SET Notes = 'Room\u00a012\r\nBring forms\rAsk Sam' "
                                     "WHERE Date = '2026-09-01'"));
        Recordset days;
        DataControl control(days);
        BoundMemo notes;
        control.Bind(&notes, QStringLiteral("Notes"));
        openDays(days);
        control.RefreshBoundControls();
        // One keystroke at the end of the first line.
        QTextCursor cursor = notes.textCursor();
        cursor.setPosition(7);
        notes.setTextCursor(cursor);
        QTest::keyClick(&notes, Qt::Key_A);
        QTest::keyClick(&notes, Qt::Key_Return);
        QTest::keyClick(&notes, Qt::Key_B);
        QVERIFY(days.Update());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
                 QString::fromUtf8("Room\u00a012a\r\nb\r\nBring forms\rAsk Sam"));
    }

    void aWriteAfterARefreshReachesTheRecord() {
        fillFiveDays();
        Recordset days;
        DataControl control(days);
        BoundLabel label;
        BoundMemo notes;
        control.Bind(&label, QStringLiteral("SchoolDay"));
        control.Bind(&notes, QStringLiteral("Notes"));
        openDays(days);
        control.RefreshBoundControls();
        days.MoveNext();
        QVERIFY(days.Refresh()); // back on the first day; the controls are not brought up yet
        label.setText(QStringLiteral("x"));
        notes.setPlainText(QStringLiteral("written after the refresh"));
        days.MoveNext();
        DatabaseProbe probe(m_path);
        QCOMPARE(
            probe.value(QStringLiteral("SELECT SchoolDay FROM QLM WHERE Date = '2026-09-01'")).toString(),
            QStringLiteral("x"));
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-01'")).toString(),
                 QStringLiteral("written after the refresh"));
        // Typing into a box whose row has moved on goes to the row it now shows.
        notes.setFocus();
        QTest::keyClick(&notes, Qt::Key_Z);
        QVERIFY(days.Update());
        QCOMPARE(probe.value(QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-09-02'")).toString(),
                 QStringLiteral("zn 2026-09-02"));
    }
};

QTEST_MAIN(DataControlTest)
#include "tst_datacontrol.moc"
