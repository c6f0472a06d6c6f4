#include "platform/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

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
    void cleanup() {
        FileCopySeam::SetBlockHookForTests({}, 0);
        FileCopySeam::SetStepFailureForTests({});
        FileCopySeam::SetCreatedHookForTests({});
    }

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
        QVERIFY(CopyFileSafely(source, dir.filePath(QStringLiteral("QLM.mdb"))).ok);
        QCOMPARE(Leftovers(dir.path()).size(), 1); // the running copy's own
        helper.kill();
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(Leftovers(dir.path()).size(), 1);
        QVERIFY(CopyFileSafely(source, dir.filePath(QStringLiteral("QLM.mdb"))).ok);
        QVERIFY(Leftovers(dir.path()).isEmpty());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("keep.copy-ABCDEF"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral(".QLM.mdb.copy-AB"))));
    }

    // Whatever fails before the rename leaves the target as it was; once the rename is done the
    // target is the copy, and a failure after it does not say otherwise.
    void theOutcomeSaysWhetherTheTargetWasReplaced_data() {
        QTest::addColumn<bool>("staged"); // a staged write (a settings file) rather than a copy
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("replaced");
        using Step = FileCopySeam::Step;
        for (const bool staged : {false, true}) {
            const char* kind = staged ? "staged write" : "copy";
            QTest::addRow("%s: the sync fails", kind) << staged << int(Step::Sync) << false;
            QTest::addRow("%s: the close fails", kind) << staged << int(Step::Close) << false;
            QTest::addRow("%s: the rename fails", kind) << staged << int(Step::Rename) << false;
            QTest::addRow("%s: the folder's sync fails", kind) << staged << int(Step::SyncFolder) << true;
        }
    }

    void theOutcomeSaysWhetherTheTargetWasReplaced() {
        QFETCH(bool, staged);
        QFETCH(int, step);
        QFETCH(bool, replaced);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        const QString target = dir.filePath(QStringLiteral("QLM.mdb"));
        const QByteArray fresh = Pattern(9000, 'n');
        const QByteArray old = Pattern(7000, 'o');
        Write(source, fresh);
        Write(target, old);
        FileCopySeam::SetStepFailureForTests(
            [step](FileCopySeam::Step at) { return int(at) == step ? EIO : 0; });
        bool ok = false;
        if (staged) {
            StagedFile file;
            QString error;
            ok = file.Stage(target, fresh, &error) && file.Commit(&error);
        } else {
            ok = CopyFileSafely(source, target).ok;
        }
        QCOMPARE(ok, replaced);
        QCOMPARE(Read(target), replaced ? fresh : old);
        QVERIFY(Leftovers(dir.path()).isEmpty());
    }

    // A copy cleans up only after itself: the stale copies of its own target in its own folder,
    // never a file that merely looks like one.
    void onlyTheTargetsOwnStaleCopiesAreRemoved_data() {
        QTest::addColumn<bool>("staged");
        QTest::newRow("copy") << false;
        QTest::newRow("staged write") << true;
    }

    void onlyTheTargetsOwnStaleCopiesAreRemoved() {
        QFETCH(bool, staged);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("drive/Photos")));
        const QString folder = dir.filePath(QStringLiteral("drive"));
        const QStringList others{
            QStringLiteral(".holiday.jpg.copy-Summer"),   QStringLiteral(".report.docx.copy-a1b2c3"),
            QStringLiteral(".Other.mdb.copy-Ab12Cd"),     QStringLiteral(".QLM.mdb.copy-Ab12Cd7"),
            QStringLiteral(".QLM.mdb.copy-Ab_2Cd"),       QStringLiteral("QLM.mdb.copy-Ab12Cd"),
            QStringLiteral("Photos/.QLM.mdb.copy-Ab12Cd")};
        for (const QString& name : others) {
            Write(folder + QLatin1Char('/') + name, "someone's");
        }
        const QString stale = folder + QStringLiteral("/.QLM.mdb.copy-Zz9Yx8");
        Write(stale, "left by a killed copy");
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        Write(source, "the book");
        const QString target = folder + QStringLiteral("/QLM.mdb");
        if (staged) {
            StagedFile file;
            QString error;
            QVERIFY2(file.Stage(target, "the book", &error) && file.Commit(&error), qPrintable(error));
        } else {
            QVERIFY(CopyFileSafely(source, target).ok);
        }
        QCOMPARE(Read(target), QByteArray("the book"));
        QVERIFY(!QFile::exists(stale));
        for (const QString& name : others) {
            QVERIFY2(QFile::exists(folder + QLatin1Char('/') + name), qPrintable(name));
        }
    }

    // The temporary file exists a moment before its writer holds it: a clean-up of another copy
    // of the same target that comes in that moment must not cost this copy its file.
    void aCleanUpNeverTakesALiveWritersFile_data() {
        QTest::addColumn<bool>("staged");
        QTest::newRow("copy") << false;
        QTest::newRow("staged write") << true;
    }

    void aCleanUpNeverTakesALiveWritersFile() {
        QFETCH(bool, staged);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("new.mdb"));
        const QString target = dir.filePath(QStringLiteral("drive/QLM.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("drive")));
        const QByteArray fresh = Pattern(20000, 'n');
        Write(source, fresh);
        Write(target, "old");
        int cleanUps = 0;
        FileCopySeam::SetCreatedHookForTests([&](const QString&) {
            if (cleanUps++ == 0) {
                RemoveStaleCopies(dir.filePath(QStringLiteral("drive")), QStringLiteral("QLM.mdb"));
            }
        });
        if (staged) {
            StagedFile file;
            QString error;
            QVERIFY2(file.Stage(target, fresh, &error) && file.Commit(&error), qPrintable(error));
        } else {
            const CopyResult copy = CopyFileSafely(source, target);
            QVERIFY2(copy.ok, qPrintable(copy.text));
        }
        QCOMPARE(Read(target), fresh);
        QVERIFY(Leftovers(dir.filePath(QStringLiteral("drive"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_FileCopy)
#include "tst_filecopy.moc"
