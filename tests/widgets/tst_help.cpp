#include "widgets/Help.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The help file as the program names it, in the program folder the build fills.
QString BuiltHelpFile() {
    return QStringLiteral(QLM_PROGRAM_DIR) + QStringLiteral("\\QLM.chm");
}

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        CloseHelpWindow();
        SetHelpRecordingForTests(false);
        ClearRecordedHelpCalls();
    }

    // Every context number a window or message asks for.
    void everyContextHasItsOwnTopic_data() {
        QTest::addColumn<int>("context");
        for (int context : {100, 110, 120, 130, 140, 150, 160, 170, 190, 200, 210, 280, 290, 300, 340, 350}) {
            QTest::addRow("%d", context) << context;
        }
    }
    void everyContextHasItsOwnTopic() {
        QFETCH(int, context);
        const QString topic = HelpTopicFile(BuiltHelpFile(), context);
        QVERIFY2(QFileInfo(topic).fileName().startsWith(QString::number(context) + QLatin1Char('-')),
                 qPrintable(topic));
        const QString html = Read(topic);
        QVERIFY(html.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))));
        QVERIFY(html.contains(QLatin1String("<h1>")));
    }

    void aContextWithoutATopicShowsTheContents_data() {
        QTest::addColumn<int>("context");
        QTest::newRow("none") << 0;
        QTest::newRow("between topics") << 105;
        QTest::newRow("unknown") << 2040;
        QTest::newRow("negative") << -100;
    }
    void aContextWithoutATopicShowsTheContents() {
        QFETCH(int, context);
        QCOMPARE(QFileInfo(HelpTopicFile(BuiltHelpFile(), context)).fileName(),
                 QStringLiteral("100-contents.html"));
    }

    void theTopicsLinkOnlyToPagesThatExist() {
        const QDir folder(HelpFolder(BuiltHelpFile()));
        const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(pages.size() >= 16);
        const QRegularExpression link(QStringLiteral("(?:href)=\"([^\":#]+)\""));
        for (const QString& page : pages) {
            const QString html = Read(folder.filePath(page));
            for (auto match = link.globalMatch(html); match.hasNext();) {
                const QString target = match.next().captured(1);
                QVERIFY2(folder.exists(target), qPrintable(page + QStringLiteral(" -> ") + target));
            }
        }
    }

    void theHelpFileNameStandsForItsFolder_data() {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<QString>("folder");
        QTest::newRow("as the program names it") << "/opt/quill marsh\\QLM.chm"
                                                 << "/opt/quill marsh/help";
        QTest::newRow("with slashes") << "/opt/quillmarsh/QLM.chm"
                                      << "/opt/quillmarsh/help";
    }
    void theHelpFileNameStandsForItsFolder() {
        QFETCH(QString, helpFile);
        QFETCH(QString, folder);
        QCOMPARE(HelpFolder(helpFile), folder);
    }

    void helpOpensTheTopicInTheHelpWindow() {
        HtmlHelp(nullptr, BuiltHelpFile(), HH_HELP_CONTEXT, 200);
        QVERIFY(ShownHelpPage().toLocalFile().endsWith(QLatin1String("/help/200-subject.html")));
        QCOMPARE(ShownHelpTitle(), QStringLiteral("Quillmarsh Help - Changing a subject"));
        // The same window turns to the next topic asked for; another command shows the contents.
        HtmlHelp(nullptr, BuiltHelpFile(), HH_HELP_CONTEXT, 350);
        QVERIFY(ShownHelpPage().toLocalFile().endsWith(QLatin1String("/help/350-find-replace.html")));
        HtmlHelp(nullptr, BuiltHelpFile(), 0, 350);
        QVERIFY(ShownHelpPage().toLocalFile().endsWith(QLatin1String("/help/100-contents.html")));
        QVERIFY(RecordedHelpCalls().isEmpty());
        CloseHelpWindow();
        QTRY_VERIFY(ShownHelpPage().isEmpty());
    }

    void missingHelpIsExplainedInTheWindow() {
        QTemporaryDir empty;
        const QString helpFile = empty.path() + QStringLiteral("\\QLM.chm");
        QVERIFY(HelpTopicFile(helpFile, 200).isEmpty());
        HtmlHelp(nullptr, helpFile, HH_HELP_CONTEXT, 200);
        QCOMPARE(ShownHelpTitle(), QStringLiteral("Quillmarsh Help"));
        QVERIFY(ShownHelpPage().isEmpty());
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
