#pragma once
// The papers a car's owner takes away from the workshop: the installation sheet ("Karta
// montażu": what is fitted and in force, for the insurer) and the code card ("Karta kodowa": the
// emergency code and the authorisation codes as presses of the unit's button). Their content as
// plain sections of lines; paper/PaperPdf typesets them. The sheet never holds the PC password
// nor a code.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"
#include "alarm/TabValues.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace alvetra {

struct Workshop {
    QString name;
    QString address;
    QString phone;
    bool operator==(const Workshop &) const = default;
};

struct CarIdentity {
    QString make;           // from the CAN car database; empty when none was chosen
    QString model;
    QString registration;   // typed by the fitter
    QString vin;
};

// The facts the papers are made of: the settings as last read from or written to the unit.
struct PaperFacts {
    Workshop workshop;
    QDate date;
    CarIdentity car;
    QString unit;           // the unit's identification line; empty when not known
    int familyCode = 0;
    TabValues values;
    int remotes = 0;        // learnt
    int tokens = 0;
};

struct PaperLine {
    QString label;
    QString value;          // empty: a blank to fill in by hand
    bool operator==(const PaperLine &) const = default;
};

struct PaperSection {
    QString title;          // empty: lines without a heading
    std::vector<PaperLine> lines;
    QStringList texts = {}; // paragraphs after the lines
};

struct Paper {
    QString title;
    QString subtitle;
    std::vector<PaperSection> sections;
    std::vector<QString> signatures;   // a line to sign above each caption at the foot
};

// The settings, the family and the number of remotes and tokens learnt, as `image` holds them.
void takeSettings(PaperFacts &facts, const SettingsImage &image, const Layout &layout, int familyCode);

constexpr int kVinLength = 17;
// A VIN as cars carry it: 17 capital letters and digits, without I, O and Q.
bool isWellFormedVin(const QString &vin);
// A VIN as typed, in capitals and without the spaces around it.
QString vinAsTyped(const QString &typed);

// "KDDK" as the presses a hand makes: "krótko – długo – długo – krótko".
QString pressesInWords(const QString &letters);

Paper installationSheet(const PaperFacts &facts);
Paper codeCard(const PaperFacts &facts);

} // namespace alvetra
