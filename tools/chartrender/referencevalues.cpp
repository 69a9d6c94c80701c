#include "referencevalues.h"

#include <QFile>

#include "sampleid.h"

namespace chartrender {

namespace {

// CGATS words: blanks separate them, double quotes keep blanks inside one.
QStringList cgatsWords(const QByteArray& text) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const char ch : text) {
        const QChar c = QChar::fromLatin1(ch);
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace

bool ReferenceValues::load(const QString& path, QString* error) {
    m_values.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    // Comments run from "#" to the end of the line.
    QByteArray text;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype hash = line.indexOf('#');
        text += (hash < 0 ? line : line.left(hash)) + '\n';
    }
    const QStringList words = cgatsWords(text);
    QStringList fields;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == u"BEGIN_DATA_FORMAT") {
            fields.clear();
            while (++i < words.size() && words[i] != u"END_DATA_FORMAT")
                fields.append(words[i]);
            continue;
        }
        if (words[i] != u"BEGIN_DATA")
            continue;
        qsizetype idField = fields.indexOf(u"SAMPLE_LOC");
        if (idField < 0)
            idField = fields.indexOf(u"SAMPLE_ID");
        const qsizetype xyzField = fields.indexOf(u"XYZ_X");
        const qsizetype labField = fields.indexOf(u"LAB_L");
        const bool xyz = xyzField >= 0 && fields.indexOf(u"XYZ_Y") == xyzField + 1 &&
                         fields.indexOf(u"XYZ_Z") == xyzField + 2;
        const bool lab = labField >= 0 && fields.indexOf(u"LAB_A") == labField + 1 &&
                         fields.indexOf(u"LAB_B") == labField + 2;
        if (fields.isEmpty() || idField < 0 || (!xyz && !lab)) {
            *error =
                QStringLiteral("%1: a table without a sample id and XYZ or LAB fields").arg(path);
            return false;
        }
        const qsizetype first = xyz ? xyzField : labField;
        qsizetype row = i + 1;
        for (; row + fields.size() <= words.size() && words[row] != u"END_DATA";
             row += fields.size()) {
            double v[3];
            for (int k = 0; k < 3; ++k) {
                bool ok = false;
                v[k] = words[row + first + k].toDouble(&ok);
                if (!ok) {
                    *error = QStringLiteral("%1: bad number \"%2\" for %3")
                                 .arg(path, words[row + first + k], words[row + idField]);
                    return false;
                }
            }
            m_values.insert(sampleKey(words[row + idField]),
                            xyz ? Xyz{v[0], v[1], v[2]} : labToXyz(v[0], v[1], v[2]));
        }
        if (row >= words.size() || words[row] != u"END_DATA") {
            *error = QStringLiteral("%1: the data table is cut short").arg(path);
            return false;
        }
        return true;
    }
    *error = QStringLiteral("%1: no data table").arg(path);
    return false;
}

bool ReferenceValues::find(const QString& id, Xyz* value) const {
    const auto it = m_values.constFind(sampleKey(id));
    if (it == m_values.constEnd())
        return false;
    *value = *it;
    return true;
}

} // namespace chartrender
