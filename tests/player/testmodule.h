#pragma once

#include <QObject>
#include <QString>
#include <QtPlugin>

// What the test module offers, and an interface that no module implements.
class TestModuleInterface
{
public:
    virtual ~TestModuleInterface() = default;
    virtual QString greeting() const = 0;
};

class OtherModuleInterface
{
public:
    virtual ~OtherModuleInterface() = default;
};

#define TestModuleInterface_iid "org.ondavox.TestModule/1"
Q_DECLARE_INTERFACE(TestModuleInterface, TestModuleInterface_iid)
#define OtherModuleInterface_iid "org.ondavox.OtherModule/1"
Q_DECLARE_INTERFACE(OtherModuleInterface, OtherModuleInterface_iid)
