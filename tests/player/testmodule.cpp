#include "testmodule.h"

// A module of the tests' own, for the loader.
class TestModule : public QObject, public TestModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TestModuleInterface_iid)
    Q_INTERFACES(TestModuleInterface)

public:
    QString greeting() const override { return QStringLiteral("Bonjour"); }
};

#include "testmodule.moc"
