#include "charts/sampleid.h"

QString sampleKey(const QString& id) {
    const QString upper = id.trimmed().toUpper();
    QString key;
    key.reserve(upper.size());
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const bool startsNumber = upper[i] == u'0' && (i == 0 || !upper[i - 1].isDigit());
        if (startsNumber) {
            // Skip the zeros, but keep the last digit of a number made only of zeros.
            qsizetype j = i;
            while (j + 1 < upper.size() && upper[j] == u'0' && upper[j + 1].isDigit())
                ++j;
            i = j;
        }
        key.append(upper[i]);
    }
    return key;
}
