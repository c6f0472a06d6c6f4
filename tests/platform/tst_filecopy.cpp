#include "platform/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray Pattern(int size, char seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        bytes[i] = char(seed + i % 251);
    }
    return bytes;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Nothing of a copy under way may be left beside the target.
QStringList Leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*.copy-??????")}, QDir::Files | QDir::Hidden);
}
} // namespace

class tst_FileCopy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { FileCopySeam::SetBlockHookForTests({}, 0); }

    void copiesBytesAndTime_data() {
        QTest::addColumn<int>("sourceSize");
        QTest::addColumn<int>("oldTargetSize"); // -1: no target yet
        QTest::newRow("new target") << 300000 << -1;
        QTest::newRow("replaces a larger file") << 5000 << 900000;
        QTest::newRow("replaces a smaller file") << 2500000 << 10;
        QTest::newRow("empty source") << 0 << 1000;
    }

    void copiesBytesAndTime() {
        QFETCH(int, sourceSize);
        QFETCH(int, oldTargetSize);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("QLM.mdb"));
        const QString target = dir.filePath(QStringLiteral("drive/QLM.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("drive")));
        Write(source, Pattern(sourceSize, 'a'));
        const qint64 when = 1700000000LL * 1000000000 + 123456789;
        QVERIFY(SetModifiedTime(source, when));
        if (oldTargetSize >= 0) {
            Write(target, Pattern(oldTargetSize, 'z'));
        }
        const CopyResult copy = CopyFileSafely(source, target);
        QVERIFY2(copy.ok, qPrintable(copy.text));
        QCOMPARE(Read(target), Read(source));
        QCOMPARE(ModifiedTime(target).value(), when);
        QVERIFY(Leftovers(dir.filePath(QStringLiteral("drive"))).isEmpty());
    }

    void aFailedCopyLeavesTheTarget_data() {
        QTest::addColumn<int>("failAfter"); // blocks written before the write fails
        QTest::addColumn<bool>("refuse");   // the check turns the finished copy down
        QTest::newRow("first block") << 1 << false;
        QTest::newRow("half-way") << 20 << false;
        QTest::newRow("refused by the check") << -1 << true;
    }

    void aFailedCopyLeavesTheTarget() {
        QFETCH(int, failAfter);
        QFETCH(bool, refuse);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        const QString target = dir.filePath(QStringLiteral("old.mdb"));
        Write(source, Pattern(40 * 4096, 'n'));
        const QByteArray old = Pattern(7000, 'o');
        Write(target, old);
        const qint64 oldTime = ModifiedTime(target).value();
        FileCopySeam::SetBlockHookForTests(
            [failAfter](int blocks) { return failAfter < 0 || blocks < failAfter; }, 4096);
        const CopyResult copy = CopyFileSafely(source, target, [refuse](const QString& copied) {
            // The check sees the whole copy.
            return refuse && QFileInfo(copied).size() == 40 * 4096 ? QStringLiteral("not a book") : QString();
        });
        QVERIFY(!copy.ok);
        QCOMPARE(copy.refused, refuse);
        QCOMPARE(Read(target), old);
        QCOMPARE(ModifiedTime(target).value(), oldTime);
        QVERIFY(Leftovers(dir.path()).isEmpty());
    }

    void knowsOneFileByItsIdentity() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("QLM.mdb"));
        Write(file, "book");
        QVERIFY(QFile::link(file, dir.filePath(QStringLiteral("link.mdb"))));
        Write(dir.filePath(QStringLiteral("other.mdb")), "book");
        QVERIFY(SameFile(file, dir.filePath(QStringLiteral("link.mdb"))));
        QVERIFY(SameFile(file, dir.filePath(QStringLiteral("./QLM.mdb"))));
        QVERIFY(!SameFile(file, dir.filePath(QStringLiteral("other.mdb"))));
        QVERIFY(!SameFile(file, dir.filePath(QStringLiteral("missing.mdb"))));
        // A copy onto itself would lose the book: it is refused.
        QVERIFY(!CopyFileSafely(file, dir.filePath(QStringLiteral("link.mdb"))).ok);
        QCOMPARE(Read(file), QByteArray("book"));
        QVERIFY(FileExists(file));
        QVERIFY(!FileExists(dir.path()));
    }

    // A copy stopped dead (the program killed, the power gone) leaves the old file or the new
    // one, never a part.
    void aKilledCopyLeavesOldOrNew_data() {
        QTest::addColumn<int>("killAfter"); // blocks reported; 0 lets it finish
        QTest::newRow("early") << 2;
        QTest::newRow("late") << 45;
        QTest::newRow("finished") << 0;
    }

    void aKilledCopyLeavesOldOrNew() {
        QFETCH(int, killAfter);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        const QString target = dir.filePath(QStringLiteral("QLM.mdb"));
        const QByteArray fresh = Pattern(50 * 4096, 'n');
        const QByteArray old = Pattern(30000, 'o');
        Write(source, fresh);
        Write(target, old);
        QProcess helper;
        helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/copy_helper"),
                     {source, target});
        QVERIFY(helper.waitForStarted());
        int reported = 0;
        while (killAfter > 0 && reported < killAfter && helper.waitForReadyRead(10000)) {
            while (helper.canReadLine()) {
                reported += helper.readLine().startsWith("block") ? 1 : 0;
            }
        }
        if (killAfter > 0) {
            helper.kill();
        }
        QVERIFY(helper.waitForFinished(30000));
        const QByteArray now = Read(target);
        QVERIFY2(now == old || now == fresh, "the target holds part of a copy");
        QCOMPARE(now, killAfter > 0 ? old : fresh);
    }

    // A copy killed half-way leaves its temporary file; the next copy into that folder removes
    // it, but never the file of a copy that is still being written, nor anyone else's file.
    void theNextCopyRemovesWhatAKilledOneLeft() {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        Write(source, Pattern(50 * 4096, 'n'));
        Write(dir.filePath(QStringLiteral("keep.copy-ABCDEF")), "a teacher's own file");
        Write(dir.filePath(QStringLiteral(".QLM.mdb.copy-AB")), "not one of ours either");
        QProcess helper;
        helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/copy_helper"),
                     {source, dir.filePath(QStringLiteral("QLM.mdb"))});
        QVERIFY(helper.waitForStarted());
        int reported = 0;
        while (reported < 2 && helper.waitForReadyRead(10000)) {
            while (helper.canReadLine()) {
                reported += helper.readLine().startsWith("block") ? 1 : 0;
            }
        }
        QVERIFY(CopyFileSafely(source, dir.filePath(QStringLiteral("Other.mdb"))).ok);
        QCOMPARE(Leftovers(dir.path()).size(), 1); // the running copy's own
        helper.kill();
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(Leftovers(dir.path()).size(), 1);
        QVERIFY(CopyFileSafely(source, dir.filePath(QStringLiteral("Other.mdb"))).ok);
        QVERIFY(Leftovers(dir.path()).isEmpty());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("keep.copy-ABCDEF"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral(".QLM.mdb.copy-AB"))));
    }
};

QTEST_GUILESS_MAIN(tst_FileCopy)
#include "tst_filecopy.moc"
