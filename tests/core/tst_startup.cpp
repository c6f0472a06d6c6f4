#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "daypage/frmMain.h"
#include "daypage/frmSchedule.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void builtYearOpensOnToday() {
        TestEnvironment env;
        QVERIFY(env.IsValid());
        QVERIFY(BuildYear(YearSpec{}) == 298);
        QVERIFY(Main());
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.txtDate->Text(), QStringLiteral("2026-10-14"));
        QVERIFY(!Globals().BlankDataBase);
        QTest::qWait(50);
        if (!qEnvironmentVariableIsEmpty("QLM_SHOT")) {
            frmMain::Get().grab().save(qEnvironmentVariable("QLM_SHOT"));
        }
        VerifyNoUnexpectedMessages();
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
