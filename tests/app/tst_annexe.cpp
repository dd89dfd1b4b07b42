#include "core/state/statestore.h"
#include "ui/shell/annexe.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace
{

QStringList labelTexts(const QWidget &window)
{
    QStringList texts;
    for (const QLabel *label : window.findChildren<QLabel *>())
        texts.append(label->text());
    return texts;
}

} // namespace

class TestAnnexe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheStoreAndFollowsIt();
};

void TestAnnexe::showsTheStoreAndFollowsIt()
{
    StateStore store;
    store.setChemin(QStringLiteral("/usr/share/ondavox"));
    store.setData(QStringLiteral("en-tête\r\n1*radio*0*A*u*\\a.png***\r\n"));
    Annexe annexe(store);

    const QStringList captions = labelTexts(annexe);
    for (const char *caption : { "Rep d'installation :", "Disque utilisé : ", "Mode : " })
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
    QVERIFY(captions.contains(QStringLiteral("/usr/share/ondavox")));
    QVERIFY(captions.contains(QStringLiteral("Normal")));

    auto *data = annexe.findChild<QPlainTextEdit *>(QStringLiteral("Data"));
    QVERIFY(data);
    QCOMPARE(data->toPlainText(), store.data().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    store.setModeEcran(QStringLiteral("Grand"));
    store.setM3u(QStringLiteral("#EXTM3U"));
    QVERIFY(labelTexts(annexe).contains(QStringLiteral("Grand")));
    QCOMPARE(annexe.findChild<QPlainTextEdit *>(QStringLiteral("m3u"))->toPlainText(), QStringLiteral("#EXTM3U"));
}

QTEST_MAIN(TestAnnexe)
#include "tst_annexe.moc"
