#include "profile/profileoptions.h"

#include "lang/texto.h"
#include "shell/leadingnumber.h"

#include <QRegularExpression>

#include <cmath>

namespace {

QString Letra(const QStringList& table, int index) {
    if (index < 0 || index >= table.size()) {
        return table.last();
    }
    return table.at(index);
}

// Shortest general form with "." (1 as "1", 0.5 as "0.5").
QString NumeroCorto(double v) {
    return QString::number(v, 'g', 15);
}

// Format "0.00" with "." as separator.
QString DosDecimales(double v) {
    return QString::number(v, 'f', 2);
}

// Format "0.###" with "."; a whole number keeps its separator ("1.").
QString HastaTresDecimales(double v) {
    QString text = QString::number(v, 'f', 3);
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    return text;
}

// The number a typed text begins with, 0 when none.
double ValorTecleado(const QString& text) {
    return NumeroInicial(text, {.comaDecimal = true}).value_or(0.0);
}

bool CercaDe(double v, double target) {
    return std::fabs(v - target) < 0.0001;
}

ArgumentoAjuste Ajuste(const QString& text, double minimum, double maximum, const QString& label,
                       const QString& option) {
    const ValorLimitado v = LimitarValor(text, 1.0, minimum, maximum, label);
    ArgumentoAjuste result;
    result.warning = v.warning;
    if (!CercaDe(v.value, 1.0)) {
        result.arguments = {option, DosDecimales(v.value)};
    }
    return result;
}

} // namespace

const QStringList& ListaGammas() {
    static const QStringList gammas = {
        QStringLiteral("0.5"), QStringLiteral("0.8"), QStringLiteral("0.9"), QStringLiteral("1.0"),
        QStringLiteral("1.2"), QStringLiteral("1.4"), QStringLiteral("1.6"), QStringLiteral("2.0"),
        QStringLiteral("2.2"), QStringLiteral("2.4"), QStringLiteral("2.8")};
    return gammas;
}

const QList<ListaOpciones>& ListasOpciones() {
    static const QList<ListaOpciones> lists = {
        {QStringLiteral("cboAlgorithm"),
         {QStringLiteral("Lab cLUT"), QStringLiteral("XYZ cLUT"), QStringLiteral("Gamma + matriz"),
          QStringLiteral("Curvas + matriz"), QStringLiteral("Pantalla XYZ cLUT + matriz"),
          QStringLiteral("Solo matriz"), QStringLiteral("Gamma única + matriz"),
          QStringLiteral("Curva única + matriz")},
         2},
        {QStringLiteral("cboQuality"),
         {QStringLiteral("Baja"), QStringLiteral("Media"), QStringLiteral("Alta"),
          QStringLiteral("Ultra")},
         2},
        {QStringLiteral("cboIntent"),
         {QStringLiteral("Perceptual"), QStringLiteral("Colorimétrico relativo"),
          QStringLiteral("Saturación"), QStringLiteral("Colorimétrico absoluto")},
         0},
        {QStringLiteral("txtGamma"), ListaGammas(), 8},
        {QStringLiteral("txtWhitePoint"),
         {QStringLiteral("0.6"), QStringLiteral("0.7"), QStringLiteral("0.8"),
          QStringLiteral("0.9"), QStringLiteral("1.0"), QStringLiteral("1.1"),
          QStringLiteral("1.2"), QStringLiteral("1.3"), QStringLiteral("1.4")},
         4},
        {QStringLiteral("txtDarkAreas"),
         {QStringLiteral("1.0"), QStringLiteral("1.5"), QStringLiteral("2.0"),
          QStringLiteral("2.5"), QStringLiteral("3.0")},
         0},
    };
    return lists;
}

QString LetraAlgoritmo(int index) {
    static const QStringList letters = {"l", "x", "g", "s", "X", "m", "G", "S"};
    return Letra(letters, index);
}

QString LetraCalidad(int index) {
    static const QStringList letters = {"l", "m", "h", "u"};
    return Letra(letters, index);
}

QStringList ArgumentoIntento(int index) {
    static const QStringList intents = {"p", "r", "s", "a"};
    return {QStringLiteral("-Z"), Letra(intents, index)};
}

ValorLimitado LimitarValor(const QString& text, double defaultValue, double minimum, double maximum,
                           const QString& label) {
    const double v = ValorTecleado(text);
    if (v >= minimum && v <= maximum) {
        return {v, QString()};
    }
    return {defaultValue,
            Texto(QStringLiteral("warn.out_of_range"))
                .arg(label, NumeroCorto(minimum), NumeroCorto(maximum), NumeroCorto(defaultValue))};
}

double LeerGamma(const QString& text) {
    const double v = ValorTecleado(text);
    return v > 0.0 ? v : 2.2;
}

QStringList ArgumentoGamma(double gamma) {
    if (CercaDe(gamma, 2.2)) {
        return {};
    }
    return {QStringLiteral("-G"), HastaTresDecimales(gamma)};
}

int VersionPrincipalArgyll(const QString& usageText) {
    static const QRegularExpression version(QStringLiteral("\\bVersion\\s+(\\d+)\\."),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = version.match(usageText);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

ArgumentoAjuste ArgumentoPuntoBlanco(const QString& text, int argyllMajorVersion) {
    const QString option = (argyllMajorVersion > 0 && argyllMajorVersion < 3)
                               ? QStringLiteral("-U")
                               : QStringLiteral("-u");
    return Ajuste(text, kPuntoBlancoMinimo, kPuntoBlancoMaximo,
                  Texto(QStringLiteral("warn.white_point")), option);
}

ArgumentoAjuste ArgumentoSombras(const QString& text) {
    return Ajuste(text, kSombrasMinimo, kSombrasMaximo, Texto(QStringLiteral("warn.dark_areas")),
                  QStringLiteral("-V"));
}

QString TextoOpcion(const QStringList& arguments) {
    return arguments.isEmpty() ? QString() : arguments.join(QLatin1Char(' ')) + QLatin1Char(' ');
}
