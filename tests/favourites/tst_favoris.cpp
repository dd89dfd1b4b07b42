#include "core/favourites/favouritescontroller.h"
#include "core/favourites/favouritesstore.h"
#include "core/state/statestore.h"
#include "favouritesfixture.h"
#include "messageboxanswerer.h"
#include "ui/favourites/ajoutfavoris.h"
#include "ui/favourites/favoriname.h"
#include "ui/favourites/favoris.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/kivtextbox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

namespace
{

const QString markup = QStringLiteral("<b>Gras</b> & <i>co</i>");

QString group(const QString &type, const QString &url, const QString &nom)
{
    return type + QLatin1Char('*') + url + QLatin1Char('*') + nom + QLatin1Char('*');
}

} // namespace

class TestFavoris : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void captionsAndFirstState();
    void namesAreShownAsPlainText();
    void iconsFollowTheType();
    void thirteenFavouritesShowTheSeparatorUntilOneIsDeleted();
    void clickingANamePlaysAndHides();
    void keyboardReachesTheNamesInUseOnly();
    void addDialogFieldsAndRefusal();
    void dialogAdditionShowsTheNewName();
    void failedWriteIsNoticedWithoutBlocking();

private:
    void createWindow();
    template <typename T> T *child(const QString &name) const { return m_window->findChild<T *>(name); }
    // The add dialog, a window of its own, once it has been opened.
    static AjoutFavoris *addDialog();
    template <typename T> static T *field(const char *name) { return addDialog()->findChild<T *>(QLatin1String(name)); }

    std::unique_ptr<FavouritesFixture> m_f;
    std::unique_ptr<Favoris> m_window;
};

void TestFavoris::init()
{
    m_f = std::make_unique<FavouritesFixture>();
}

void TestFavoris::cleanup()
{
    m_window.reset();
    m_f.reset();
}

AjoutFavoris *TestFavoris::addDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<AjoutFavoris *>(window))
            return dialog;
    }
    return nullptr;
}

void TestFavoris::createWindow()
{
    m_window = std::make_unique<Favoris>(m_f->state, m_f->favourites, m_f->player, m_f->browser);
}

void TestFavoris::captionsAndFirstState()
{
    createWindow();
    // Created hidden.
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(m_window->size(), QSize(414, 379));
    QCOMPARE(m_window->titleLabel()->text(), QStringLiteral("FAVORIS"));
    QCOMPARE(
        child<KivCommand>("KivCommand2")->text(), QStringLiteral("Ajouter la chaîne en cours de lecture aux Favoris"));
    QCOMPARE(child<KivCommand>("KivCommand3")->text(), QStringLiteral("Ajouter une autre chaîne..."));
    QCOMPARE(child<KivFrame>("FrameFavoris")->title(), QStringLiteral("Favoris :"));
    QCOMPARE(child<QLabel>("vide")->text(), QStringLiteral("(Votre liste de favoris est vide)"));
    // Nothing played yet.
    QVERIFY(!child<KivCommand>("KivCommand2")->isEnabled());
    QVERIFY(!addDialog());

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    for (KivCommand *button : m_window->findChildren<KivCommand *>())
        QVERIFY2(m_window->rect().contains(button->geometry().translated(button->parentWidget()->pos())),
            qPrintable(button->objectName()));
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>("vide")->isVisible(), 1500);
    m_f->state.setLecture(QStringLiteral("FIP"));
    QTRY_VERIFY_WITH_TIMEOUT(child<KivCommand>("KivCommand2")->isEnabled(), 400);
}

void TestFavoris::namesAreShownAsPlainText()
{
    QVERIFY(m_f->writeFile(group("Radio", "http://h/a", markup)));
    createWindow();
    FavoriName *nom = child<FavoriName>("Nom0");
    QCOMPARE(nom->label()->textFormat(), Qt::PlainText);
    QVERIFY(nom->label()->text().startsWith(QStringLiteral("<b>Gras")));
    QCOMPARE(nom->accessibleName(), markup);
    QVERIFY(!nom->toolTip().contains(QStringLiteral("<b>")));
    QVERIFY(nom->toolTip().contains(markup.toHtmlEscaped()));
    auto *remove = child<ImageButtonPair>("Delete0");
    QCOMPARE(remove->accessibleName(), QStringLiteral("Supprimer « %1 »").arg(markup));
    QVERIFY(!remove->toolTip().contains(QStringLiteral("<b>")));
    for (FavoriName *other : m_window->findChildren<FavoriName *>())
        QCOMPARE(other->label()->textFormat(), Qt::PlainText);
}

void TestFavoris::iconsFollowTheType()
{
    QVERIFY(m_f->writeFile(group("Radio", "a", "A") + group("Tv", "b", "B") + group(" ", "c", "C")));
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(child<QLabel>("Image1_0")->isVisible());
    QVERIFY(!child<QLabel>("Image2_0")->isVisible());
    QVERIFY(!child<QLabel>("Image1_1")->isVisible());
    QVERIFY(child<QLabel>("Image2_1")->isVisible());
    QVERIFY(!child<QLabel>("Image1_2")->isVisible());
    QVERIFY(!child<QLabel>("Image2_2")->isVisible());
    // Deleting moves the icons with the names.
    child<ImageButtonPair>("Delete0")->click();
    QVERIFY(child<QLabel>("Image2_0")->isVisible());
    QVERIFY(!child<QLabel>("Image1_0")->isVisible());
    QCOMPARE(child<FavoriName>("Nom0")->name(), QStringLiteral("B"));
}

void TestFavoris::thirteenFavouritesShowTheSeparatorUntilOneIsDeleted()
{
    QString text;
    for (int i = 0; i < 13; ++i)
        text += group("Radio", QStringLiteral("http://h/%1").arg(i), QStringLiteral("Station %1").arg(i));
    QVERIFY(m_f->writeFile(text));
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(child<QWidget>("Line1")->isVisible());
    QVERIFY(child<ImageButtonPair>("Delete12")->isVisible());
    QVERIFY(!child<ImageButtonPair>("Delete13")->isVisible());
    QVERIFY(!child<QLabel>("vide")->isVisible());

    child<ImageButtonPair>("Delete5")->click();
    QVERIFY(!child<QWidget>("Line1")->isVisible());
    QVERIFY(!child<ImageButtonPair>("Delete12")->isVisible());
    QCOMPARE(child<FavoriName>("Nom5")->name(), QStringLiteral("Station 6"));
    QCOMPARE(child<ImageButtonPair>("Delete5")->accessibleName(), QStringLiteral("Supprimer « Station 6 »"));
    QCOMPARE(child<FavoriName>("Nom12")->name(), QString());
}

void TestFavoris::clickingANamePlaysAndHides()
{
    QVERIFY(m_f->writeFile(group("Tv", "http://h/tv", "Télé")));
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    QTest::mouseClick(child<FavoriName>("Nom1"), Qt::LeftButton);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_f->player.urls.isEmpty());

    QTest::mouseClick(child<FavoriName>("Nom0"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_f->player.urls, QStringList { "http://h/tv" });
    QCOMPARE(m_f->state.lecture(), QStringLiteral("Télé"));
    QCOMPARE(m_f->state.radioTv(), QStringLiteral("TV"));
}

void TestFavoris::keyboardReachesTheNamesInUseOnly()
{
    QVERIFY(m_f->writeFile(group("Radio", "http://h/a", "A")));
    createWindow();
    QVERIFY(child<FavoriName>("Nom0")->focusPolicy() & Qt::TabFocus);
    QCOMPARE(child<FavoriName>("Nom1")->focusPolicy(), Qt::NoFocus);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    child<FavoriName>("Nom0")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child<FavoriName>("Nom0"), Qt::Key_Return);
    QCOMPARE(m_f->player.urls, QStringList { "http://h/a" });
}

void TestFavoris::addDialogFieldsAndRefusal()
{
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(child<KivCommand>("KivCommand3"), Qt::LeftButton);
    AjoutFavoris *dialog = addDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->titleLabel()->text(), QStringLiteral("AJOUT D'UNE CHAINE"));
    auto *nom = field<KivTextBox>("Nom");
    auto *url = field<KivTextBox>("Url");
    auto *annee = field<QComboBox>("Annee");
    QCOMPARE(nom->text(), QStringLiteral("Nouvelle chaîne"));
    QCOMPARE(url->text(), QString());
    QCOMPARE(annee->count(), 2);
    QCOMPARE(annee->itemText(0), QStringLiteral("Radio"));
    QCOMPARE(annee->itemText(1), QStringLiteral("TV"));
    QCOMPARE(annee->currentIndex(), -1);
    // The fields are named by their captions.
    const QList<QLabel *> captions = dialog->findChildren<QLabel *>();
    const auto buddyCaption = [&](QWidget *field) {
        for (QLabel *label : captions) {
            if (label->buddy() == field)
                return label->text();
        }
        return QString();
    };
    QCOMPARE(buddyCaption(nom), QStringLiteral("Nom : "));
    QCOMPARE(buddyCaption(url), QStringLiteral("URL : "));
    QCOMPARE(buddyCaption(annee), QStringLiteral("Type : "));

    QTest::keyClicks(url, QStringLiteral("http://h/a*b"));
    MessageBoxAnswerer answerer;
    QTest::mouseClick(dialog->findChild<KivCommand *>("KivCommand1"), Qt::LeftButton);
    QCOMPARE(answerer.messages.size(), 1);
    QCOMPARE(answerer.messages.at(0).title, QStringLiteral("Ondavox"));
    QCOMPARE(answerer.messages.at(0).buttons, 1);
    QCOMPARE(answerer.messages.at(0).format, Qt::PlainText);
    QCOMPARE(answerer.messages.at(0).text,
        QStringLiteral("Le caractère « * » ne peut pas figurer dans le nom ni dans l'adresse d'un favori."));
    QVERIFY(dialog->isVisible());
    QCOMPARE(url->text(), QStringLiteral("http://h/a*b"));
    QVERIFY(!m_f->favourites.slot(0).isInUse());
}

void TestFavoris::dialogAdditionShowsTheNewName()
{
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->KivCommand3_Click();
    AjoutFavoris *dialog = addDialog();
    field<KivTextBox>("Url")->setText(QStringLiteral("http://h/new"));
    field<QComboBox>("Annee")->setCurrentIndex(0);
    dialog->KivCommand1_Click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(child<FavoriName>("Nom0")->name(), QStringLiteral("Nouvelle chaîne"));
    QVERIFY(child<ImageButtonPair>("Delete0")->isVisible());
    QVERIFY(child<QLabel>("Image1_0")->isVisible());

    // Shown again, the same dialog with what was left in it.
    m_window->KivCommand3_Click();
    QCOMPARE(addDialog(), dialog);
    QCOMPARE(field<KivTextBox>("Url")->text(), QStringLiteral("http://h/new"));
    QCOMPARE(field<QComboBox>("Annee")->currentIndex(), 0);
}

void TestFavoris::failedWriteIsNoticedWithoutBlocking()
{
    QVERIFY(m_f->blockWrites());
    createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->KivCommand3_Click();
    field<KivTextBox>("Nom")->setText(QStringLiteral("A"));
    field<KivTextBox>("Url")->setText(QStringLiteral("http://a"));
    field<QComboBox>("Annee")->setCurrentIndex(0);
    addDialog()->KivCommand1_Click();
    QMessageBox *notice = nullptr;
    QTRY_VERIFY((notice = m_window->findChild<QMessageBox *>()) && notice->isVisible());
    QVERIFY(notice->text().contains(m_f->favourites.path()));
    QCOMPARE(notice->textFormat(), Qt::PlainText);
    // The window goes on answering: the addition is shown.
    QCOMPARE(child<FavoriName>("Nom0")->name(), QStringLiteral("A"));
    notice->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(!m_window->findChild<QMessageBox *>());
}

QTEST_MAIN(TestFavoris)
#include "tst_favoris.moc"
