#include "platform/RemovableDrives.h"

#include <QTest>

namespace {
// One mountinfo line: a mount of device dev (major:minor number) at point.
QByteArray Line(int id, const char* number, const char* point, const char* device, const char* root = "/") {
    return QByteArray::number(id) + " 1 " + number + ' ' + root + ' ' + point +
           " rw,relatime shared:1 - vfat " + device + " rw\n";
}
} // namespace

class tst_RemovableDrives : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { RemovableDrivesSeam::ClearForTests(); }

    void parsesTheMountTable() {
        const QByteArray text = Line(30, "8:17", "/media/avery/MY\\040STICK", "/dev/sdb1") +
                                "garbage line\n" + Line(31, "0:50", "/bind", "/dev/vda1", "/srv/data");
        const QList<MountEntry> mounts = ParseMountInfo(text);
        QCOMPARE(mounts.size(), 2);
        QCOMPARE(mounts[0].mountPoint, QStringLiteral("/media/avery/MY STICK"));
        QCOMPARE(mounts[0].device, QStringLiteral("/dev/sdb1"));
        QCOMPARE(mounts[0].devNumber, QStringLiteral("8:17"));
        QCOMPARE(mounts[0].fsType, QStringLiteral("vfat"));
        QCOMPARE(mounts[1].fsRoot, QStringLiteral("/srv/data"));
    }

    void picksTheDrives_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("removable"); // device numbers whose disk is removable
        QTest::addColumn<QStringList>("roots");

        QTest::newRow("desktop mounts of the user, sorted")
            << Line(1, "8:33", "/run/media/avery/ZED", "/dev/sdc1") +
                   Line(2, "8:17", "/media/avery/KEY", "/dev/sdb1")
            << QStringList()
            << QStringList{QStringLiteral("/media/avery/KEY"), QStringLiteral("/run/media/avery/ZED")};
        QTest::newRow("another user's mounts and the folder itself are not")
            << Line(1, "8:17", "/media/brook/KEY", "/dev/sdb1") + Line(2, "0:40", "/media/avery", "tmpfs")
            << QStringList() << QStringList();
        QTest::newRow("a removable device counts wherever it is mounted")
            << Line(1, "8:17", "/mnt/stick", "/dev/sdb1") + Line(2, "8:1", "/home", "/dev/sda1")
            << QStringList{QStringLiteral("8:17")} << QStringList{QStringLiteral("/mnt/stick")};
        QTest::newRow("a point mounted over is one drive")
            << Line(1, "8:17", "/media/avery/KEY", "/dev/sdb1") +
                   Line(2, "8:18", "/media/avery/KEY/", "/dev/sdb2")
            << QStringList() << QStringList{QStringLiteral("/media/avery/KEY")};
        QByteArray many;
        QStringList firstTen;
        for (int i = 12; i >= 0; --i) {
            const QByteArray point = "/media/avery/D" + QByteArray::number(i).rightJustified(2, '0');
            many += Line(i + 1, "8:17", point.constData(), "/dev/sdb1");
        }
        for (int i = 0; i < 10; ++i) {
            firstTen << QStringLiteral("/media/avery/D%1").arg(i, 2, 10, QLatin1Char('0'));
        }
        QTest::newRow("at most ten, the first by mount point") << many << QStringList() << firstTen;
    }

    void picksTheDrives() {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, removable);
        QFETCH(QStringList, roots);
        const QList<RemovableDrive> drives = SelectRemovableDrives(
            ParseMountInfo(table), QStringLiteral("avery"),
            [&removable](const MountEntry& m) { return removable.contains(m.devNumber); },
            [](const MountEntry&) { return QString(); });
        QStringList found;
        for (const RemovableDrive& drive : drives) {
            found << drive.root;
            // Without a label the mount point's own name stands for the drive.
            QCOMPARE(drive.label, drive.root.section(QLatin1Char('/'), -1));
        }
        QCOMPARE(found, roots);
    }

    void joinsPaths_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("joined");
        QTest::newRow("program name") << "/media/a/KEY/VNT"
                                      << "\\QLM.mdb"
                                      << "/media/a/KEY/VNT/QLM.mdb";
        QTest::newRow("trailing slash") << "/media/a/KEY/"
                                        << "VNT"
                                        << "/media/a/KEY/VNT";
        QTest::newRow("root") << "/"
                              << "VNT"
                              << "/VNT";
        QTest::newRow("backslashes") << "C:\\x\\"
                                     << "\\y"
                                     << "C:/x/y";
        QTest::newRow("no name") << "/media/a/KEY"
                                 << ""
                                 << "/media/a/KEY";
    }

    void joinsPaths() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, joined);
        QCOMPARE(JoinPath(folder, name), joined);
    }
};

QTEST_GUILESS_MAIN(tst_RemovableDrives)
#include "tst_removabledrives.moc"
