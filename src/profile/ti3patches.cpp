#include "profile/ti3patches.h"

#include "charts/cgatstable.h"

namespace {

bool Numbers(const QStringList& row, qsizetype first, double* out) {
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        out[k] = row[first + k].toDouble(&ok);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool ReadTi3Patches(const QString& path, QList<PatchReading>* patches, QString* error) {
    patches->clear();
    CgatsTable table;
    if (!ReadCgatsTable(path, &table, error))
        return false;
    const qsizetype id = table.field(u"SAMPLE_ID");
    const qsizetype xyz = table.triple(u"XYZ_X", u"XYZ_Y", u"XYZ_Z");
    const qsizetype lab = table.triple(u"LAB_L", u"LAB_A", u"LAB_B");
    const qsizetype rgb = table.triple(u"RGB_R", u"RGB_G", u"RGB_B");
    const qsizetype stdev = table.triple(u"STDEV_R", u"STDEV_G", u"STDEV_B");
    if (id < 0 || rgb < 0 || (xyz < 0 && lab < 0)) {
        *error = QStringLiteral("%1: no reference and RGB fields").arg(path);
        return false;
    }
    for (const QStringList& row : table.rows) {
        PatchReading p;
        p.id = row[id];
        double colour[3];
        const bool ok = Numbers(row, xyz >= 0 ? xyz : lab, colour) && Numbers(row, rgb, p.rgb) &&
                        (stdev < 0 || Numbers(row, stdev, p.stdev));
        if (!ok) {
            *error = QStringLiteral("%1: bad number in patch %2").arg(path, p.id);
            return false;
        }
        p.reference = xyz >= 0 ? Xyz{colour[0], colour[1], colour[2]}
                               : labToXyz(colour[0], colour[1], colour[2]);
        patches->append(p);
    }
    return true;
}
