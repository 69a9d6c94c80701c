#pragma once

#include <QHash>
#include <QString>

#include "charts/xyz.h"

// The nominal patch colours of a CGATS reference (.cie, .ti2, .ti3 and the like): SAMPLE_LOC or
// else SAMPLE_ID as the patch id, XYZ_X/Y/Z or else LAB_L/A/B as the colour.
class ReferenceValues {
public:
    bool load(const QString& path, QString* error);

    qsizetype size() const { return m_values.size(); }
    // The colour of a chart patch id, matched by sampleKey(); false when the file has none.
    bool find(const QString& id, Xyz* value) const;

private:
    QHash<QString, Xyz> m_values;
};
