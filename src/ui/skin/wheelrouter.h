#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

class QWheelEvent;
class WheelCtl;

// The application's one wheel hook: an event filter on the application that
// hands every wheel turn, once, to the WheelCtl of each visible browser
// window hooked to it, in the order they were hooked. The event itself goes
// on to its widget as usual.
class WheelRouter : public QObject
{
    Q_OBJECT

public:
    explicit WheelRouter(QObject *parent = nullptr);
    ~WheelRouter() override;

    void hook(WheelCtl *control);
    void unHook(const WheelCtl *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isHooked(const WheelCtl *control) const;
    // What a copy of a turn shares with the turn itself.
    struct TurnKey {
        quint64 timestamp = 0;
        QPoint globalPosition;
        QPoint angleDelta;
        bool operator==(const TurnKey &) const = default;
    };

    void route(const QWheelEvent *event);

    QList<QPointer<WheelCtl>> m_controls;
    std::optional<TurnKey> m_lastTurn;
};
