#pragma once

#include "ui/skin/skinnedwindow.h"

class QLabel;
class QPlainTextEdit;
class StateStore;

// A view of the shared state store: the installation folder, its file system,
// the enlarge mode, the two catalogue texts and the playlist being built.
// Hidden during normal use; the options window shows it.
class Annexe : public SkinnedWindow
{
    Q_OBJECT

public:
    explicit Annexe(StateStore &store, QWidget *parent = nullptr);

private:
    QLabel *addField(const QString &caption, int row);
    QPlainTextEdit *addText(const QString &caption, int column);

    StateStore &m_store;
};
