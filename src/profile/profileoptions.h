#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The profile option lists of the main window and how each choice becomes scanin or colprof
// arguments. Arguments are returned as the separate words the tool receives; the log shows
// them joined by blanks with one trailing blank (TextoOpcion).

// One fixed list: the control's objectName, its items and the index selected at start.
struct ListaOpciones {
    QString control;
    QStringList items;
    int defaultIndex = 0;
};

// The gamma choices of the main window (txtGamma) and the manual scanin window, "0.5" ... "2.8".
const QStringList& ListaGammas();

// The six lists in the order they are filled: cboAlgorithm, cboQuality, cboIntent, txtGamma,
// txtWhitePoint, txtDarkAreas.
const QList<ListaOpciones>& ListasOpciones();

// colprof letters and intent by list index; any index outside the table (-1 included) gives
// the last entry.
QString LetraAlgoritmo(int index);       // "-a" letter: l x g s X m G S
QString LetraCalidad(int index);         // "-q" letter: l m h u
QStringList ArgumentoIntento(int index); // {"-Z", "p"} ... {"-Z", "a"}

// A range-checked adjustment: the value to use and, when the typed value was out of range,
// the warning to show (empty otherwise).
struct ValorLimitado {
    double value = 0.0;
    QString warning;
};
ValorLimitado LimitarValor(const QString& text, double defaultValue, double minimum, double maximum,
                           const QString& label);

// The gamma of txtGamma: its numeric value, 2.2 when 0 or negative.
double LeerGamma(const QString& text);
// {"-G", g} with g in the "0.###" form ("1." for 1); empty when the gamma is 2.2.
QStringList ArgumentoGamma(double gamma);

// Major ArgyllCMS version named in a tool's usage header ("... Version 2.3.1"); 0 when the
// text names none.
int VersionPrincipalArgyll(const QString& usageText);

// Allowed ranges (inclusive) of the white point scale and the dark-area emphasis.
inline constexpr double kPuntoBlancoMinimo = 0.5;
inline constexpr double kPuntoBlancoMaximo = 1.5;
inline constexpr double kSombrasMinimo = 1.0;
inline constexpr double kSombrasMaximo = 3.0;

// An adjustment's arguments plus the range warning LimitarValor gave (shown by the caller).
struct ArgumentoAjuste {
    QStringList arguments;
    QString warning;
};
// White point scale, 0.5 to 1.5: ArgyllCMS 2 calls it "-U" ("-u" alone is automatic white
// scaling there), ArgyllCMS 3 and unknown versions "-u".
ArgumentoAjuste ArgumentoPuntoBlanco(const QString& text, int argyllMajorVersion);
// Dark-area emphasis "-V", 1.0 to 3.0.
ArgumentoAjuste ArgumentoSombras(const QString& text);

// Arguments as the log shows them: joined by blanks plus a trailing blank, "" when none.
QString TextoOpcion(const QStringList& arguments);
