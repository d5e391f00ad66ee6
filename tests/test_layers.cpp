// The layers of the source tree: core holds no widgets and includes nothing from gui, no two
// folders include each other, directly or through others, and no window reaches for the
// connection or the view state through a global instead of what its opener hands it. The stores
// hold the SQL: no statement text in the windows, none in core outside the store files and the
// connection's folder, and each engine's own API (SQLite's, libpq's) only in that engine's file.

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestLayers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void coreHoldsNoWidgets();
    void foldersFormNoCycle();
    void globalCallsAreFound_data();
    void globalCallsAreFound();
    void windowsCallNoGlobals();
    void enginesStayInTheirFiles_data();
    void enginesStayInTheirFiles();
    void statementTextIsRecognised_data();
    void statementTextIsRecognised();
    void sqlIsInStoresOnly();

private:
    // Folder ("core/items") -> the folders its files include.
    QMap<QString, QSet<QString>> m_uses;
    QStringList m_coreProblems;
    QStringList m_globalCalls; // "gui/…/File.cpp:line" of each db() or gv() call
    // Path below src -> the file's text.
    QMap<QString, QString> m_files;
};

namespace {

// The lines of `text` that call the free functions db() or gv(), the connection and the shared
// state windows once took from globals; a member of that name (x.db(), p->db()) is another thing.
QList<int> globalCallLines(const QString &text)
{
    static const QRegularExpression call(QStringLiteral(R"((?<![\w.:]|->)(?:::)?\b(?:db|gv)\s*\(\s*\))"));
    QList<int> lines;
    for (auto match = call.globalMatch(text); match.hasNext();)
        lines << int(text.left(match.next().capturedStart()).count(u'\n')) + 1;
    return lines;
}

// Whether a source text holds a string literal that begins an SQL statement. Captions such as
// "Select Company" or "Delete Item" are no statements; literals split over lines are joined.
bool holdsSqlText(QString text)
{
    static const QRegularExpression adjacent(QStringLiteral(R"("\s*\n\s*")"));
    // Upper-case SELECT col FROM, or in any case a shape no caption has.
    static const QRegularExpression statement(QStringLiteral(
        R"re("\s*SELECT\s+[\w.]+\s+FROM\b)re"
        R"re(|"\s*(?i)(select\s+(\*|distinct\b|count\s*\(|[\w.]+\s*,))re"
        R"re(|insert\s+into\s+\w+|update\s+%?\w+\s+set\s|delete\s+from\s+%?\w+)re"
        R"re(|(create|drop)\s+(table|index|trigger|view)\b|alter\s+table\b|pragma\s+\w+)re"
        R"re(|begin(\s+immediate)?\s*;?"|commit\s*"|rollback\s*"))re"));
    text.replace(adjacent, QString());
    return statement.match(text).hasMatch();
}

bool isStoreFile(const QString &path)
{
    return QFileInfo(path).completeBaseName().endsWith(u"Store");
}

} // namespace

void TestLayers::initTestCase()
{
    const QString src = QStringLiteral(TARVO_SOURCE_DIR "/src");
    static const QRegularExpression project(QStringLiteral(R"(#include\s+"((?:core|gui)/\w+)/)"));
    static const QRegularExpression widgets(QStringLiteral(R"(#include\s+<(QtWidgets/|Q(Widget|Dialog|MainWindow|)"
                                                           R"(LineEdit|PushButton|TableView|TableWidget|Label|)"
                                                           R"(Application|MessageBox)\b))"));
    QDirIterator files(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString folder = QFileInfo(path).dir().path().mid(src.size() + 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = project.globalMatch(text); match.hasNext();) {
            const QString used = match.next().captured(1);
            if (used != folder)
                m_uses[folder].insert(used);
        }
        if (folder.startsWith(u"core/") && (text.contains(QStringLiteral("#include \"gui/")) || widgets.match(text).hasMatch()))
            m_coreProblems << path;
        if (folder.startsWith(u"gui/") || folder == u"gui") {
            for (int line : globalCallLines(text))
                m_globalCalls << QStringLiteral("%1:%2").arg(path.mid(src.size() + 1)).arg(line);
        }
        m_files.insert(path.mid(src.size() + 1), text);
        ++count;
    }
    QVERIFY(count > 50);
}

void TestLayers::coreHoldsNoWidgets()
{
    QCOMPARE(m_coreProblems, QStringList());
}

void TestLayers::foldersFormNoCycle()
{
    // Depth-first search; a folder met again while it is still on the path closes a cycle.
    QMap<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    QString cycle;
    std::function<void(const QString &)> visit = [&](const QString &folder) {
        state[folder] = 1;
        path << folder;
        for (const QString &used : m_uses.value(folder)) {
            if (!cycle.isEmpty())
                return;
            if (state.value(used) == 1)
                cycle = path.mid(path.indexOf(used)).join(QStringLiteral(" -> ")) + QStringLiteral(" -> ") + used;
            else if (state.value(used) == 0)
                visit(used);
        }
        path.removeLast();
        state[folder] = 2;
    };
    for (const QString &folder : m_uses.keys()) {
        if (state.value(folder) == 0)
            visit(folder);
    }
    QVERIFY2(cycle.isEmpty(), qPrintable(QStringLiteral("include cycle: ") + cycle));
}

void TestLayers::enginesStayInTheirFiles_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("engineFile");
    QTest::newRow("SQLite") << QString::fromLatin1(R"((sqlite3\.h|\bsqlite3_\w+\s*\())")
                            << QStringLiteral("core/db/SqliteBackend.cpp");
    QTest::newRow("libpq") << QString::fromLatin1(R"((libpq-fe\.h|\bPQ[a-z]\w*\s*\())")
                           << QStringLiteral("core/db/PgBackend.cpp");
}

void TestLayers::enginesStayInTheirFiles()
{
    // The program and its tools reach either engine through core/db/Database.h only.
    QFETCH(QString, pattern);
    QFETCH(QString, engineFile);
    const QRegularExpression call(pattern);
    QStringList outside;
    int engineCalls = 0;
    for (const QString &root : {QStringLiteral("src"), QStringLiteral("tools")}) {
        const QString top = QStringLiteral(TARVO_SOURCE_DIR "/") + root;
        QDirIterator files(top, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const bool calls = call.match(QString::fromUtf8(file.readAll())).hasMatch();
            if (path.endsWith(u'/' + engineFile))
                engineCalls += calls;
            else if (calls)
                outside << path.mid(QStringLiteral(TARVO_SOURCE_DIR).size() + 1);
        }
    }
    QCOMPARE(outside, QStringList());
    QCOMPARE(engineCalls, 1); // the pattern finds what it looks for
}

void TestLayers::globalCallsAreFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("a statement on the connection") << "Statement s(db(), sql);" << QList<int> {1};
    QTest::newRow("the view state") << "int a;\nconst ViewState &v = gv().view;" << QList<int> {2};
    QTest::newRow("qualified, spaced") << "x = ::db ( );\ny = gv( )" << QList<int> {1, 2};
    QTest::newRow("two on a line") << "f(db(), gv().settings);" << QList<int> {1, 1};
    QTest::newRow("a member of that name") << "m_context.db(); store->db(); Store::db();" << QList<int> {};
    QTest::newRow("longer names") << "loadDb(); addb(); gvx(); db_() ; database()" << QList<int> {};
    QTest::newRow("with arguments") << "db(path); gv(1)" << QList<int> {};
}

void TestLayers::globalCallsAreFound()
{
    QFETCH(QString, text);
    QTEST(globalCallLines(text), "lines");
}

void TestLayers::windowsCallNoGlobals()
{
    QVERIFY2(m_globalCalls.isEmpty(), qPrintable(m_globalCalls.join(u' ')));
}

void TestLayers::statementTextIsRecognised_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("sql");
    auto row = [](const char *name, const char *source, bool sql) {
        QTest::newRow(name) << QString::fromUtf8(source) << sql;
    };
    row("select star, any case", R"src(Statement q(db(), QStringLiteral("Select * from settings"));)src", true);
    row("select columns", R"src(q(db, QStringLiteral("SELECT Name, servicedate FROM main WHERE ID = ?"));)src", true);
    row("select one column", R"src(q(db, QStringLiteral("SELECT Name FROM main"));)src", true);
    row("select count", R"src(q(db, "select count(*) from main");)src", true);
    row("split over lines", "q(db, \"UPDATE main \"\n    \"SET Name = ?\");", true);
    row("insert", R"src(q(db, "INSERT INTO repparts (ID) VALUES (?)");)src", true);
    row("update", R"src(q(db, "update settings set backupdate = ?");)src", true);
    row("update of a table named later", R"src(q(db, QStringLiteral("UPDATE %1 SET x = ?").arg(t));)src", true);
    row("delete", R"src(q(db, "DELETE FROM History WHERE ID = ?");)src", true);
    row("create", R"src(db.exec("CREATE TABLE main (ID INTEGER)");)src", true);
    row("drop trigger", R"src(db.exec("DROP TRIGGER keep");)src", true);
    row("pragma", R"src(q(db, "PRAGMA integrity_check");)src", true);
    row("begin", R"src(db.exec("BEGIN IMMEDIATE");)src", true);
    row("rollback", R"src(db.exec("ROLLBACK");)src", true);
    row("select button", R"src(button("cmdSelect", QStringLiteral("Select"), this);)src", false);
    row("select caption", R"src(setWindowTitle(QStringLiteral("Select Company"));)src", false);
    row("delete command", R"src(addCommand(file, "mnuDelete", QStringLiteral("Delete Item"));)src", false);
    row("sentence", R"src(information(this, QStringLiteral("Please select an item from the list"));)src", false);
    row("sentence starting with a keyword", R"src(tip(QStringLiteral("Select the company from which parts are ordered"));)src", false);
    row("calendar line", R"src(line(QStringLiteral("BEGIN:VCALENDAR"));)src", false);
    row("update notice", R"src(QStringLiteral("Update the settings before you go on"))src", false);
}

void TestLayers::statementTextIsRecognised()
{
    QFETCH(QString, source);
    QTEST(holdsSqlText(source), "sql");
}

void TestLayers::sqlIsInStoresOnly()
{
    // No window holds any; in core the connection's folder holds the connection and the schema
    // with its sample rows.
    QStringList found;
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        const QString &path = it.key();
        const bool checked = path.startsWith(u"gui/") || (path.startsWith(u"core/") && !path.startsWith(u"core/db/") && !isStoreFile(path));
        if (checked && holdsSqlText(it.value()))
            found << it.key();
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
