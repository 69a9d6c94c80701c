#include "charts/referencevalues.h"

#include "charts/cgatstable.h"
#include "charts/sampleid.h"

bool ReferenceValues::load(const QString& path, QString* error) {
    m_values.clear();
    CgatsTable table;
    if (!ReadCgatsTable(path, &table, error))
        return false;
    qsizetype idField = table.field(u"SAMPLE_LOC");
    if (idField < 0)
        idField = table.field(u"SAMPLE_ID");
    const qsizetype xyzField = table.triple(u"XYZ_X", u"XYZ_Y", u"XYZ_Z");
    const qsizetype labField = table.triple(u"LAB_L", u"LAB_A", u"LAB_B");
    if (idField < 0 || (xyzField < 0 && labField < 0)) {
        *error = QStringLiteral("%1: a table without a sample id and XYZ or LAB fields").arg(path);
        return false;
    }
    const bool xyz = xyzField >= 0;
    const qsizetype first = xyz ? xyzField : labField;
    for (const QStringList& row : table.rows) {
        double v[3];
        for (int k = 0; k < 3; ++k) {
            bool ok = false;
            v[k] = row[first + k].toDouble(&ok);
            if (!ok) {
                *error = QStringLiteral("%1: bad number \"%2\" for %3")
                             .arg(path, row[first + k], row[idField]);
                return false;
            }
        }
        m_values.insert(sampleKey(row[idField]),
                        xyz ? Xyz{v[0], v[1], v[2]} : labToXyz(v[0], v[1], v[2]));
    }
    return true;
}

bool ReferenceValues::find(const QString& id, Xyz* value) const {
    const auto it = m_values.constFind(sampleKey(id));
    if (it == m_values.constEnd())
        return false;
    *value = *it;
    return true;
}
