#pragma once

#include "ui/skin/skinnedwindow.h"

class KivCommand;
class QTreeWidget;
class TitleHistory;

// The titles heard, newest first, each with its time and station: a title
// can be copied, or looked for with the video search.
class TitleHistoryWindow : public SkinnedWindow
{
    Q_OBJECT

public:
    explicit TitleHistoryWindow(TitleHistory &history, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    // The title of the chosen row; empty when none is chosen.
    QString chosenTitle() const;
    void copyChosen();
    void searchChosen();

Q_SIGNALS:
    // The video search, with `words` as what the user would have typed.
    void searchRequested(const QString &words);

private:
    void refill();
    void updateButtons();

    TitleHistory &m_history;
    QTreeWidget *m_list;
    KivCommand *m_copy;
    KivCommand *m_search;
};
