#pragma once

#include <QString>
#include <QStringView>

// The values of the option controls, in the order of their fields in the
// preferences record "ovxpref.log".
struct Preferences {
    int check1 = 0; // start with the system
    int check2 = 0; // play the start-up address
    QString urlDem = QStringLiteral("http://direct.fipradio.fr/live/fip-midfi.mp3");
    int fenetre = -1; // 0 "Normale", 1 "En Plein écran", 2 "Dans la barre Systray"
    QString urlAide = QStringLiteral("AideOVX.txt");
    int check3 = 1; // preselect yesterday in the date lists
    int checkCadre = 1; // stretch the picture to the frame
    int pseudoCheck = 0; // publish what is playing
    int kivCheckBox1 = 0; // keep the main window on top

    // Not part of the record: the address of the update package.
    QString urlMaj = QStringLiteral(ONDAVOX_SITE_URL "/telechargement/Ondavox-setup.exe");

    bool operator==(const Preferences &) const = default;
};

// How far a record was read: the number of fields assigned (0 to 9). Reading
// stops at a missing "*" or at a value its control cannot take, keeping what
// was read before.
int readPreferencesRecord(QStringView record, Preferences &preferences);

// The record composed from the values: each field followed by "*", no line break.
QString EcritFichier(const Preferences &preferences);

// The message that refuses a start-up address the record cannot carry back
// unchanged ("*", a line break, a character outside Windows-1252); empty
// when it can.
QString urlDemRefusal(QStringView address);
