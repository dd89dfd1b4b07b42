#include "ui/shell/annexe.h"

#include "core/state/statestore.h"
#include "ui/skin/imagebuttonpair.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

Annexe::Annexe(StateStore &store, QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
{
    setObjectName(QStringLiteral("Annexe"));
    setTitle(QStringLiteral("ANNEXE"));
    connect(closePair(), &ImageButtonPair::Click, this, &QWidget::hide);
    auto *layout = new QGridLayout(content());

    QLabel *chemin = addField(QStringLiteral("Rep d'installation :"), 0);
    QLabel *disque = addField(QStringLiteral("Disque utilisé : "), 1);
    QLabel *mode = addField(QStringLiteral("Mode : "), 2);
    QPlainTextEdit *data = addText(QStringLiteral("Data"), 0);
    QPlainTextEdit *dataTV = addText(QStringLiteral("DataTV"), 1);
    QPlainTextEdit *m3u = addText(QStringLiteral("m3u"), 2);
    layout->setRowStretch(4, 1);

    const auto bindLabel = [this](QLabel *label, QString (StateStore::*get)() const, auto changed) {
        label->setText((m_store.*get)());
        connect(&m_store, changed, label, &QLabel::setText);
    };
    bindLabel(chemin, &StateStore::chemin, &StateStore::cheminChanged);
    bindLabel(disque, &StateStore::disque, &StateStore::disqueChanged);
    bindLabel(mode, &StateStore::modeEcran, &StateStore::modeEcranChanged);

    const auto bindText = [this](QPlainTextEdit *box, QString (StateStore::*get)() const, auto changed) {
        box->setPlainText((m_store.*get)());
        connect(&m_store, changed, box, &QPlainTextEdit::setPlainText);
    };
    bindText(data, &StateStore::data, &StateStore::dataChanged);
    bindText(dataTV, &StateStore::dataTV, &StateStore::dataTVChanged);
    bindText(m3u, &StateStore::m3u, &StateStore::m3uChanged);
    resize(900, 520);
}

QLabel *Annexe::addField(const QString &caption, int row)
{
    auto *layout = static_cast<QGridLayout *>(content()->layout());
    auto *captionLabel = new QLabel(caption, content());
    captionLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(captionLabel, row, 0);
    // A folder's name is whatever the file system holds.
    auto *value = new QLabel(content());
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(value, row, 1, 1, 2);
    return value;
}

QPlainTextEdit *Annexe::addText(const QString &caption, int column)
{
    auto *layout = static_cast<QGridLayout *>(content()->layout());
    auto *box = new QPlainTextEdit(content());
    box->setObjectName(caption);
    box->setAccessibleName(caption);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(box, 4, column);
    return box;
}
