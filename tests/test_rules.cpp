// Settings, dates, key filters and the other small rules many windows share.

#include "TestSupport.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/Settings.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/DesktopUrl.h"
#include "core/platform/LineEnds.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

class TestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Clock::setFixed(TestWorld::Now);
    }

    void loadSettingsSetsStatusAndNextCheck_data();
    void loadSettingsSetsStatusAndNextCheck();
    void nextCheckCarriesTheDate();
    void numericKey_data();
    void numericKey();
    void fileExists();
    void parsesOnlyRealDates_data();
    void parsesOnlyRealDates();
    void formatsInLocaleOrder_data();
    void formatsInLocaleOrder();
    void storedLineEnds();
    void safeFilesKeepTheOldFileOnFailure();
    void desktopAddresses_data();
    void desktopAddresses();
};

void TestRules::loadSettingsSetsStatusAndNextCheck_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("minutes");
    QTest::newRow("off") << 0 << "Alarm Status: OFF" << 0;
    QTest::newRow("10 minutes") << 2 << "Alarm Status: 10 minutes" << 10;
    QTest::newRow("2 hours") << 8 << "Alarm Status: 2 hour(s)" << 120;
    QTest::newRow("24 hours") << 14 << "Alarm Status: 24 hour(s)" << 24 * 60;
    QTest::newRow("unknown code") << 99 << "Alarm Status: 0 minutes" << 0;
}

void TestRules::loadSettingsSetsStatusAndNextCheck()
{
    QFETCH(int, code);
    QFETCH(QString, status);
    QFETCH(int, minutes);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET timerinterval = ?, startupalarm = 0, AutoAddHstWarn = 1,"
                                 " AutoAddhstOn = 0, alservicedisabled = 0, alorderdisabled = 1"), {code});
    QCOMPARE(LoadSettings(db()), status);
    const GlobalVars &g = gv();
    QCOMPARE(g.timerinterval, code);
    QCOMPARE(g.startupalarm, 0);
    QCOMPARE(g.AutoAddHstWarn, 1);
    QCOMPARE(g.AutoAddhstOn, 0);
    QCOMPARE(g.alservicedisabled, 0);
    QCOMPARE(g.alorderdisabled, 1);
    QCOMPARE(g.NextAlarmCheck, TestWorld::Now.addSecs(minutes * 60));
}

void TestRules::nextCheckCarriesTheDate()
{
    // A check due after midnight falls on the next day, not earlier the same day.
    const QDateTime lateEvening(QDate(2026, 12, 6), QTime(23, 30));
    QCOMPARE(Settings::nextCheck(7, lateEvening), QDateTime(QDate(2026, 12, 7), QTime(0, 30)));
    QCOMPARE(Settings::nextCheck(14, lateEvening), QDateTime(QDate(2026, 12, 7), QTime(23, 30)));
}

void TestRules::numericKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("backspace") << 8 << 8;
    QTest::newRow("9") << int('9') << int('9');
    QTest::newRow("slash") << int('/') << 0;
    QTest::newRow("colon after 9") << int(':') << 0;
}

void TestRules::numericKey()
{
    QFETCH(int, key);
    QFETCH(int, result);
    QCOMPARE(NumericKey(key), result);
}

void TestRules::fileExists()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.mdb"));
    const QString full = dir.filePath(QStringLiteral("full.mdb"));
    QFile(empty).open(QIODevice::WriteOnly);
    QFile file(full);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    QVERIFY(!FileExists(empty));
    QVERIFY(FileExists(full));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("missing.mdb"))));
    QVERIFY(!FileExists(dir.path())); // a folder is no file
    QVERIFY(!FileExists(QString()));
}

void TestRules::parsesOnlyRealDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("us date") << "12/31/2030" << QDate(2030, 12, 31);
    QTest::newRow("leading zeros") << "01/05/2027" << QDate(2027, 1, 5);
    QTest::newRow("29 Feb other year") << "2/29/2027" << QDate();
    QTest::newRow("30 Feb") << "2/30/2003" << QDate();
    QTest::newRow("two-digit year 29") << "1/1/29" << QDate(2029, 1, 1);
    QTest::newRow("two-digit year 30") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("three-digit year") << "1/1/202" << QDate();
    QTest::newRow("dashes") << "1-1-2027" << QDate();
    QTest::newRow("day zero") << "1/0/2027" << QDate();
}

void TestRules::parsesOnlyRealDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(DateText::parse(text), date);
    QCOMPARE(DateText::isDate(text), date.isValid());
}

void TestRules::formatsInLocaleOrder_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/31/2030" << "1/2/2031";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "31/12/2030" << "2/1/2031";
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "31/12/2030" << "02/01/2031";
}

void TestRules::formatsInLocaleOrder()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QLocale::setDefault(locale);
    QCOMPARE(DateText::format(QDate(2030, 12, 31)), shown);
    QCOMPARE(DateText::parse(typed), QDate(2031, 1, 2));
    QCOMPARE(DateText::parse(shown), QDate(2030, 12, 31));
    QCOMPARE(DateText::format(QDate()), QString());
}

void TestRules::storedLineEnds()
{
    QCOMPARE(LineEnds::toStored(QStringLiteral("a\nb\r\nc")), QStringLiteral("a\r\nb\r\nc"));
    QCOMPARE(LineEnds::toShown(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    // A line break counts as the two characters it is stored as.
    QCOMPARE(LineEnds::storedLength(u"a\nb"), 4);
    QCOMPARE(LineEnds::storedLength(u"a\r\nb"), 4);
    QCOMPARE(LineEnds::storedLength(u"\n\n"), 4);
}

void TestRules::safeFilesKeepTheOldFileOnFailure()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("report.htm"));
    QVERIFY(SafeFile::write(target, "old"));
    QVERIFY(SafeFile::copy(target, dir.filePath(QStringLiteral("copy.htm"))));
    QString error;
    QVERIFY(!SafeFile::copy(target, dir.filePath(QStringLiteral("./report.htm")), &error));
    QVERIFY(!error.isEmpty());
    // A write that cannot finish leaves the old file whole and no temporary file behind.
    QVERIFY(!SafeFile::write(dir.filePath(QStringLiteral("missing/report.htm")), "new", &error));
    QVERIFY(!SafeFile::copy(dir.filePath(QStringLiteral("missing.htm")), target, &error));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"copy.htm", "report.htm"}));
}

void TestRules::desktopAddresses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");
    QTest::newRow("mail") << "mail" << "orders@acme.example" << "mailto:orders@acme.example";
    QTest::newRow("empty mail") << "mail" << "" << "mailto:";
    QTest::newRow("mail with query") << "mail" << "a@b.example?subject=x" << "mailto:a@b.example%3Fsubject=x";
    QTest::newRow("bare web") << "web" << "www.acme.example" << "http://www.acme.example";
    QTest::newRow("host and port") << "web" << "localhost:8080" << "http://localhost:8080";
    QTest::newRow("host, port and path") << "web" << "parts.acme.example:8443/shop" << "http://parts.acme.example:8443/shop";
    QTest::newRow("file scheme") << "web" << "file:///etc/passwd" << "";
    QTest::newRow("local path") << "web" << "/usr/bin/xterm" << "";
    QTest::newRow("drive path") << "web" << "C:\\Windows\\calc.exe" << "";
}

void TestRules::desktopAddresses()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, url);
    const QUrl result = kind == u"mail" ? DesktopUrl::forEmail(text) : DesktopUrl::forWebSite(text);
    QCOMPARE(result.isValid() ? result.toString(QUrl::FullyEncoded) : QString(), url);
}

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
