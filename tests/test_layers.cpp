// The layers of the source tree: core holds no widgets and includes nothing from gui, and no
// two folders include each other, directly or through others.

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
    void enginesStayInTheirFiles_data();
    void enginesStayInTheirFiles();

private:
    // Folder ("core/items") -> the folders its files include.
    QMap<QString, QSet<QString>> m_uses;
    QStringList m_coreProblems;
};

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
    QTest::newRow("SQLite") << R"((sqlite3\.h|\bsqlite3_\w+\s*\())"
                            << "core/db/SqliteBackend.cpp";
    QTest::newRow("libpq") << R"((libpq-fe\.h|\bPQ[a-z]\w*\s*\())"
                           << "core/db/PgBackend.cpp";
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

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
