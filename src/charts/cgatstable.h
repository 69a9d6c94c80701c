#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The first data table of a CGATS text file (.ti3, .cie, .ti2): its field names and its rows,
// each row one word per field.
struct CgatsTable {
    QStringList fields;
    QList<QStringList> rows;

    // The index of a field, or -1.
    qsizetype field(QStringView name) const { return fields.indexOf(name); }
    // The index of the first of three consecutive fields (XYZ_X XYZ_Y XYZ_Z and the like), or -1.
    qsizetype triple(QStringView first, QStringView second, QStringView third) const;
};

// Reads the table; false with a reason when the file cannot be read or holds no complete table.
bool ReadCgatsTable(const QString& path, CgatsTable* table, QString* error);
