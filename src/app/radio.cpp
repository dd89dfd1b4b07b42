#include "app/radio.h"

#include "app/statestore.h"

#include <QCloseEvent>

Radio::Radio(StateStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_store(store)
{
    setObjectName(QStringLiteral("Radio"));
    setWindowTitle(QStringLiteral("Ondavox"));
    resize(640, 480);
}

void Radio::closeEvent(QCloseEvent *event)
{
    // The exit sequence decides when the program ends.
    event->ignore();
    Q_EMIT closeRequested();
}
