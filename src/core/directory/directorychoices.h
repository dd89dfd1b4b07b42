#pragma once

#include <QList>
#include <QString>

// What the directory window offers to narrow a search by: countries by their
// ISO code and languages as the directory names them, shown in French.
namespace DirectoryChoices
{

struct Choice {
    QString label;
    QString value;
};

QList<Choice> countries();
QList<Choice> languages();

}
