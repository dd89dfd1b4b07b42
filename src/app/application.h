#pragma once

#include "app/statestore.h"

#include <QObject>
#include <memory>

class Radio;

// Creates the program's objects, wires them together and runs the start-up
// and exit sequences.
class Application : public QObject
{
    Q_OBJECT

public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    void start();

    // The orderly exit: now-playing cleared, preferences written, then the end.
    void formUnload();

    StateStore &store() { return m_store; }
    Radio &radio();

private:
    StateStore m_store;
    std::unique_ptr<Radio> m_radio;
    bool m_unloading = false;
};
