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

QTEST_GUILESS_MAIN(TestLayers)
#include "test_layers.moc"
