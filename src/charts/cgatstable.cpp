#include "charts/cgatstable.h"

#include <QFile>

namespace {

// Words: blanks separate them, double quotes keep blanks inside one, "#" starts a comment.
QStringList CgatsWords(const QByteArray& text) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    bool comment = false;
    for (const char ch : text) {
        const QChar c = QChar::fromLatin1(ch);
        if (comment) {
            comment = c != u'\n';
            if (comment)
                continue;
        }
        if (c == u'#' && !quoted) {
            comment = true;
        } else if (c == u'"') {
            quoted = !quoted;
            inWord = true;
            continue;
        }
        if (comment || (!quoted && c.isSpace())) {
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

qsizetype CgatsTable::triple(QStringView first, QStringView second, QStringView third) const {
    const qsizetype i = field(first);
    return i >= 0 && field(second) == i + 1 && field(third) == i + 2 ? i : -1;
}

bool ReadCgatsTable(const QString& path, CgatsTable* table, QString* error) {
    *table = CgatsTable();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    const QStringList words = CgatsWords(file.readAll());
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == u"BEGIN_DATA_FORMAT") {
            table->fields.clear();
            while (++i < words.size() && words[i] != u"END_DATA_FORMAT")
                table->fields.append(words[i]);
            continue;
        }
        if (words[i] != u"BEGIN_DATA")
            continue;
        if (table->fields.isEmpty()) {
            *error = QStringLiteral("%1: a data table without fields").arg(path);
            return false;
        }
        const qsizetype width = table->fields.size();
        qsizetype row = i + 1;
        for (; row + width <= words.size() && words[row] != u"END_DATA"; row += width)
            table->rows.append(words.mid(row, width));
        if (row >= words.size() || words[row] != u"END_DATA") {
            *error = QStringLiteral("%1: the data table is cut short").arg(path);
            return false;
        }
        return true;
    }
    *error = QStringLiteral("%1: no data table").arg(path);
    return false;
}
