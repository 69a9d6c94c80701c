#include "charts/chartdefinition.h"

#include <QFile>
#include <QRegularExpression>

namespace {

constexpr int kMaxLabels = 10000;

// The next label in a .cht sequence ("9" -> "10", "A" -> "B", "Z" -> "AA", "GS09" -> "GS10"),
// counting up the rightmost digit or letter with carry.
QString nextLabel(QString label) {
    for (qsizetype i = label.size() - 1; i >= 0; --i) {
        const QChar c = label[i];
        if (c >= u'0' && c < u'9') {
            label[i] = QChar(c.unicode() + 1);
            return label;
        }
        if (c == u'9') {
            label[i] = u'0';
            continue;
        }
        if ((c >= u'A' && c < u'Z') || (c >= u'a' && c < u'z')) {
            label[i] = QChar(c.unicode() + 1);
            return label;
        }
        if (c == u'Z' || c == u'z') {
            label[i] = c == u'Z' ? u'A' : u'a';
            continue;
        }
        break; // Not a digit or letter: no carry past it.
    }
    const QChar first = label.isEmpty() ? QChar(u'1') : label[0];
    if (first == u'0')
        return u'1' + label;
    if (first == u'A')
        return u'A' + label;
    if (first == u'a')
        return u'a' + label;
    return label + u'1';
}

// The labels from first to last inclusive; "_" is the single empty label.
bool labelRange(const QString& first, const QString& last, QStringList* out) {
    if (first == u"_") {
        out->append(QString());
        return true;
    }
    QString label = first;
    for (int n = 0; n < kMaxLabels; ++n) {
        out->append(label);
        if (label == last)
            return true;
        label = nextLabel(label);
    }
    return false;
}

bool toNumber(const QString& text, double* value) {
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok;
}

bool parseTicks(const QList<QStringList>& lines, qsizetype* index, int count,
                QList<EdgeTick>* ticks, QString* error) {
    for (int n = 0; n < count; ++n) {
        if (*index >= lines.size() || lines[*index].size() < 3) {
            *error = QStringLiteral("edge list ends early");
            return false;
        }
        const QStringList& t = lines[*index];
        EdgeTick tick;
        if (!toNumber(t[0], &tick.position) || !toNumber(t[1], &tick.strength) ||
            !toNumber(t[2], &tick.crossings)) {
            *error = QStringLiteral("bad edge list line: %1").arg(t.join(u' '));
            return false;
        }
        ticks->append(tick);
        ++*index;
    }
    return true;
}

} // namespace

bool ChartDefinition::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QList<QStringList> lines;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (!line.isEmpty())
            lines.append(line.split(space));
    }
    *this = ChartDefinition();
    if (!parse(lines, error)) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return false;
    }
    return true;
}

bool ChartDefinition::parse(const QList<QStringList>& lines, QString* error) {
    qsizetype i = 0;
    if (lines.isEmpty() || lines[0][0] != u"BOXES" || lines[0].size() < 2) {
        *error = QStringLiteral("no BOXES section");
        return false;
    }
    const int boxCount = lines[0][1].toInt();
    for (i = 1; i < lines.size() && lines[i][0].size() == 1; ++i) {
        if (!parseBoxLine(lines[i], error))
            return false;
    }
    if (m_boxes.size() != boxCount) {
        *error = QStringLiteral("BOXES says %1 boxes, the lines give %2")
                     .arg(boxCount)
                     .arg(m_boxes.size());
        return false;
    }
    for (; i < lines.size(); ++i) {
        const QStringList& t = lines[i];
        const QString& key = t[0];
        if (key == u"BOX_SHRINK" && t.size() >= 2) {
            toNumber(t[1], &m_boxShrink);
        } else if (key == u"REF_ROTATION" && t.size() >= 2) {
            toNumber(t[1], &m_refRotation);
        } else if ((key == u"XLIST" || key == u"YLIST") && t.size() >= 2) {
            ++i;
            if (!parseTicks(lines, &i, t[1].toInt(), key == u"XLIST" ? &m_xTicks : &m_yTicks,
                            error))
                return false;
            --i;
        } else if (key == u"EXPECTED" && t.size() >= 3) {
            const bool lab = t[1].compare(u"LAB", Qt::CaseInsensitive) == 0;
            const int count = t[2].toInt();
            for (int n = 0; n < count && i + 1 < lines.size(); ++n) {
                const QStringList& e = lines[++i];
                double v[3];
                if (e.size() < 4 || !toNumber(e[1], &v[0]) || !toNumber(e[2], &v[1]) ||
                    !toNumber(e[3], &v[2])) {
                    *error = QStringLiteral("bad EXPECTED line: %1").arg(e.join(u' '));
                    return false;
                }
                m_expected.insert(e[0], lab ? labToXyz(v[0], v[1], v[2]) : Xyz{v[0], v[1], v[2]});
            }
        }
    }
    return true;
}

bool ChartDefinition::parseBoxLine(const QStringList& t, QString* error) {
    if (t.size() < 11) {
        *error = QStringLiteral("short box line: %1").arg(t.join(u' '));
        return false;
    }
    // F _ _ x0 y0 ... x3 y3; the other kinds: kl lxs lxe lys lye w h xo yo xi yi.
    const QString kind = t[0];
    const int firstNumber = kind == u"F" ? 3 : 5;
    double n[8];
    for (int k = 0; k < 11 - firstNumber; ++k) {
        if (!toNumber(t[firstNumber + k], &n[k])) {
            *error = QStringLiteral("bad number in box line: %1").arg(t.join(u' '));
            return false;
        }
    }
    if (kind == u"F") {
        for (int k = 0; k < 4; ++k)
            m_fiducials[k] = QPointF(n[2 * k], n[2 * k + 1]);
        m_hasFiducials = true;
        return true;
    }
    if (kind != u"D" && kind != u"X" && kind != u"Y") {
        *error = QStringLiteral("unknown box kind %1").arg(kind);
        return false;
    }
    QStringList xLabels;
    QStringList yLabels;
    if (!labelRange(t[1], t[2], &xLabels) || !labelRange(t[3], t[4], &yLabels)) {
        *error = QStringLiteral("label range never ends: %1").arg(t.join(u' '));
        return false;
    }
    for (qsizetype iy = 0; iy < yLabels.size(); ++iy) {
        for (qsizetype ix = 0; ix < xLabels.size(); ++ix) {
            ChartBox box;
            box.id = kind == u"Y" ? yLabels[iy] + xLabels[ix] : xLabels[ix] + yLabels[iy];
            box.rect = QRectF(n[2] + ix * n[4], n[3] + iy * n[5], n[0], n[1]);
            box.sample = kind != u"D";
            m_boxes.append(box);
        }
    }
    return true;
}

QList<ChartBox> ChartDefinition::samples() const {
    QList<ChartBox> out;
    for (const ChartBox& box : m_boxes) {
        if (box.sample)
            out.append(box);
    }
    return out;
}

QRectF ChartDefinition::extent() const {
    QRectF r;
    for (const ChartBox& box : m_boxes)
        r = r.isNull() ? box.rect : r.united(box.rect);
    if (m_hasFiducials) {
        // A point has no area, so QRectF::united() would skip it.
        for (const QPointF& p : m_fiducials) {
            r.setLeft(qMin(r.left(), p.x()));
            r.setRight(qMax(r.right(), p.x()));
            r.setTop(qMin(r.top(), p.y()));
            r.setBottom(qMax(r.bottom(), p.y()));
        }
    }
    return r;
}
