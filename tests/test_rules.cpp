// Settings, dates, key filters and the other small rules many windows share.

#include "CoreSupport.h"

#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/DesktopUrl.h"
#include "core/platform/LineEnds.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"
#include "core/settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initCoreTestEnvironment(); }
    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Clock::setFixed(TestWorld::Now);
        SafeFile::setWorkingDatabase(QString());
        SafeFile::setShownPage(QString());
    }

    void loadSettingsSetsStatusAndNextCheck_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("minutes");
        QTest::newRow("off") << 0 << "Alarm Status: OFF" << 0;
        QTest::newRow("10 minutes") << 2 << "Alarm Status: 10 minutes" << 10;
        QTest::newRow("2 hours") << 8 << "Alarm Status: 2 hour(s)" << 120;
        QTest::newRow("24 hours, the next day") << 14 << "Alarm Status: 24 hour(s)" << 24 * 60;
        QTest::newRow("unknown code") << 99 << "Alarm Status: 0 minutes" << 0;
    }
    void loadSettingsSetsStatusAndNextCheck()
    {
        QFETCH(int, code);
        QFETCH(int, minutes);
        TestWorld world;
        execute(db(), QStringLiteral("UPDATE settings SET timerinterval = ?, startupalarm = 0, AutoAddHstWarn = 1,"
                                     " AutoAddhstOn = 0, alservicedisabled = 0, alorderdisabled = 1"),
                {code});
        const AppSettings settings = loadSettings(db());
        QTEST(Settings::alarmStatusText(settings.interval), "status");
        QVERIFY(settings == AppSettings({false, Settings::AlarmInterval(code), false, true, false, true}));
        QCOMPARE(Settings::nextCheck(settings.interval, TestWorld::Now), TestWorld::Now.addSecs(minutes * 60));
    }

    void numericKeyPassesDigitsAndBackspace()
    {
        // "/" and ":" lie either side of the digits.
        QCOMPARE(QList<int>({numericKey(8), numericKey('0'), numericKey('9'), numericKey('/'), numericKey(':')}),
                 QList<int>({8, '0', '9', 0, 0}));
    }

    void fileExistsOnlyForNonEmptyFiles()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath(QStringLiteral("empty.mdb")), full = dir.filePath(QStringLiteral("full.mdb"));
        QVERIFY(SafeFile::write(empty, QByteArray()) && SafeFile::write(full, "x"));
        // Neither an empty file, a missing one, a folder nor no name at all.
        QCOMPARE(QList<bool>({fileExists(full), fileExists(empty), fileExists(dir.filePath(u"missing.mdb"_s)), fileExists(dir.path()), fileExists(QString())}),
                 QList<bool>({true, false, false, false, false}));
    }

    void parsesOnlyRealDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("us date") << "12/31/2030" << QDate(2030, 12, 31);
        QTest::newRow("leading zeros") << "01/05/2027" << QDate(2027, 1, 5);
        QTest::newRow("29 Feb other year") << "2/29/2027" << QDate();
        QTest::newRow("two-digit year 29") << "1/1/29" << QDate(2029, 1, 1);
        QTest::newRow("two-digit year 30") << "1/1/30" << QDate(1930, 1, 1);
        QTest::newRow("three-digit year") << "1/1/202" << QDate();
        QTest::newRow("dashes") << "1-1-2027" << QDate();
        QTest::newRow("day zero") << "1/0/2027" << QDate();
    }
    void parsesOnlyRealDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(DateText::parse(text), date);
        QCOMPARE(DateText::isDate(text), date.isValid());
    }

    void formatsInLocaleOrder_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << u"12/31/2030"_s << u"1/2/2031"_s;
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << u"31/12/2030"_s << u"2/1/2031"_s;
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << u"31/12/2030"_s << u"02/01/2031"_s;
    }
    void formatsInLocaleOrder()
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

    void storedLineEnds()
    {
        QCOMPARE(LineEnds::toStored(QStringLiteral("a\nb\r\nc")), QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(LineEnds::toShown(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
        // A line break counts as the two characters it is stored as.
        QCOMPARE(QList<qsizetype>({LineEnds::storedLength(u"a\nb"), LineEnds::storedLength(u"a\r\nb"),
                                   LineEnds::storedLength(u"\n\n")}),
                 QList<qsizetype>({4, 4, 4}));
    }

    void safeFilesKeepTheOldFileOnFailure()
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
        QCOMPARE(readFile(target), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({u"copy.htm"_s, u"report.htm"_s}));
    }

    // "db" stands for the working database, "page" for the shown page, "other" for a third file;
    // links and paths are made in the folder.
    void noWriteReplacesAFileInUse_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("switching"); // the database switch's own way through
        QTest::addColumn<QString>("lands"); // the file that takes the bytes; empty when refused
        QTest::newRow("working database") << "db" << false << "";
        QTest::newRow("symbolic link to it") << "link:db" << false << "";
        QTest::newRow("hard link to it") << "hard:db" << false << "";
        QTest::newRow("through another folder") << "sub/../db" << false << "";
        QTest::newRow("shown page") << "page" << false << "";
        QTest::newRow("another file") << "other" << false << "other";
        QTest::newRow("link to another file, written through") << "link:other" << false << "other";
        QTest::newRow("the switch replaces the database") << "db" << true << "db";
        QTest::newRow("the switch replaces nothing else") << "other" << true << "";
        QTest::newRow("nor the shown page") << "page" << true << "";
    }
    void noWriteReplacesAFileInUse()
    {
        QFETCH(QString, target);
        QFETCH(bool, switching);
        QFETCH(QString, lands);
        QTemporaryDir dir;
        const QDir folder(dir.path());
        folder.mkdir(QStringLiteral("sub"));
        for (const char *name : {"db", "page", "other", "source"})
            QVERIFY(SafeFile::write(folder.filePath(QLatin1String(name)), name));
        SafeFile::setWorkingDatabase(folder.filePath(QStringLiteral("db")));
        // A viewer window going after a newer one showed "page" leaves "page" protected.
        SafeFile::setShownPage(folder.filePath(QStringLiteral("other")));
        SafeFile::setShownPage(folder.filePath(QStringLiteral("page")));
        SafeFile::releaseShownPage(folder.filePath(QStringLiteral("other")));
        const QString path = folder.filePath(QStringLiteral("chosen"));
        if (target.startsWith(u"link:"))
            QVERIFY(QFile::link(folder.filePath(target.mid(5)), path));
        else if (target.startsWith(u"hard:"))
            QVERIFY(::link(QFile::encodeName(folder.filePath(target.mid(5))).constData(),
                           QFile::encodeName(path).constData())
                    == 0);
        const QString chosen = target.contains(u':') ? path : folder.filePath(target);

        QString error;
        using Staged = SafeFile::StagedFile;
        Staged staged(chosen, switching ? Staged::Target::WorkingDatabase : Staged::Target::OtherFile);
        const bool written = staged.copyFrom(folder.filePath(QStringLiteral("source")), &error) && staged.commit(&error);
        QCOMPARE(written, !lands.isEmpty());
        QCOMPARE(error, written ? QString() : QString::fromLatin1(SafeFile::InUseMessage));
        QVERIFY(switching || SafeFile::write(chosen, "source") == written);
        for (const char *name : {"db", "page", "other"})
            QCOMPARE(readFile(folder.filePath(QLatin1String(name))), QByteArray(lands == QLatin1String(name) ? "source" : name));
        QCOMPARE(QFileInfo(path).isSymLink(), target.startsWith(u"link:")); // a link stays a link
        QCOMPARE(folder.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Only the program's own temporary names go, and none a running write holds.
    void leftoverCopiesRemoved()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QStringList names = {u"main.mdb.tarvo-Ab12Cd.tmp"_s, u"held.mdb.tarvo-Xy34Zw.tmp"_s, u"notes.tarvo-Ab12Cd.txt"_s,
                                   u"main.mdb.Ab12Cd"_s, u"x.tarvo-Ab1.tmp"_s, u"report.tmp"_s};
        for (const QString &name : names)
            QVERIFY(SafeFile::write(folder.filePath(name), "x"));
        QFile held(folder.filePath(names[1]));
        QVERIFY(held.open(QIODevice::ReadOnly) && ::flock(held.handle(), LOCK_EX) == 0);
        QCOMPARE(SafeFile::removeLeftovers(dir.path()), 1);
        QStringList kept = names.mid(1);
        kept.sort();
        QCOMPARE(folder.entryList(QDir::Files, QDir::Name), kept);
    }

    void desktopAddresses_data()
    {
        // Plain addresses and programs on the disk are driven through the company pane.
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("mail with query") << u"mail"_s << u"a@b.example?subject=x"_s << u"mailto:a@b.example%3Fsubject=x"_s;
        QTest::newRow("host and port") << u"web"_s << u"localhost:8080"_s << u"http://localhost:8080"_s;
        QTest::newRow("host, port and path") << u"web"_s << u"parts.acme.example:8443/shop"_s << u"http://parts.acme.example:8443/shop"_s;
        QTest::newRow("file scheme") << u"web"_s << u"file:///etc/passwd"_s << u""_s;
        QTest::newRow("drive path") << u"web"_s << u"C:\\Windows\\calc.exe"_s << u""_s;
    }
    void desktopAddresses()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        const QUrl result = kind == u"mail" ? DesktopUrl::forEmail(text) : DesktopUrl::forWebSite(text);
        QTEST(result.isValid() ? result.toString(QUrl::FullyEncoded) : QString(), "url");
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
