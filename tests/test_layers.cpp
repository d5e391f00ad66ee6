// The layers of the source tree: core holds no widgets and includes nothing from gui, no two
// folders include each other, directly or through others, and no window reaches for the
// connection or the view state through a global instead of what its opener hands it.

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

private:
    // Folder ("core/items") -> the folders its files include.
    QMap<QString, QSet<QString>> m_uses;
    QStringList m_coreProblems;
    QStringList m_globalCalls; // "gui/…/File.cpp:line" of each db() or gv() call
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

void TestLayers::globalCallsAreFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("a statement on the connection") << "Recordset r(db(), sql);" << QList<int> {1};
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
    QFETCH(QList<int>, lines);
    QCOMPARE(globalCallLines(text), lines);
}

void TestLayers::windowsCallNoGlobals()
{
    QVERIFY2(m_globalCalls.isEmpty(), qPrintable(m_globalCalls.join(u' ')));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
