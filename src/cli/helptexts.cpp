#include "cli/helptexts.h"

#include "cli/clichoices.h"
#include "lang/texto.h"

namespace {

constexpr int kAnchoLinea = 80;
const QString kSangria(27, QLatin1Char(' '));

// The choices under their option, wrapped at the line width.
QString Elecciones(const QStringList& nombres) {
    QString text;
    QString linea = kSangria;
    const QStringList partes = DescribirElecciones(nombres).split(QStringLiteral(", "));
    for (qsizetype i = 0; i < partes.size(); ++i) {
        const QString parte = partes.at(i) + (i + 1 < partes.size() ? QStringLiteral(",") : "");
        if (linea.size() > kSangria.size() && linea.size() + 1 + parte.size() > kAnchoLinea) {
            text += linea + QLatin1Char('\n');
            linea = kSangria;
        }
        linea += (linea.size() > kSangria.size() ? QStringLiteral(" ") : QString()) + parte;
    }
    return text + linea + QLatin1Char('\n');
}

// The name of a list's start selection, e.g. "gamma-matrix".
QString PorDefecto(const QStringList& nombres, const QString& control) {
    return nombres.value(IndicePorDefecto(control));
}

} // namespace

QString AyudaGeneral() {
    return QStringLiteral(
               "Usage: %1 COMMAND [OPTIONS]\n"
               "\n"
               "Builds ICC input profiles from chart images with the ArgyllCMS tools, as the\n"
               "Create button of Nerva Chromaflux does, without a window.\n"
               "\n"
               "Commands:\n"
               "  create    make a profile from a chart image (or one per image of a batch)\n"
               "  charts    list the chart catalogue and the references that go with it\n"
               "  verify    check a profile against a TI3 measurement file with profcheck\n"
               "  compare   compare two TI3 measurement files with colverify\n"
               "\n"
               "'%1 COMMAND --help' describes each command. Messages are in the locale's\n"
               "language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG: es, fr, it, else English);\n"
               "--language es|en|fr|it chooses another.\n"
               "The log goes to standard error, results to standard output. The settings\n"
               "file is neither read nor written.\n"
               "Exit status: 0 success, 1 failure, 2 wrong arguments, 3 profile written but the\n"
               "chart reading suspected wrong, 130 stopped.\n")
        .arg(kProgramaCli);
}

QString AyudaCreate() {
    return QStringLiteral(
               "Usage: %1 create --image FILE --chart NAME.cht --output FILE.icc [OPTIONS]\n"
               "       %1 create --image FILE|DIR [--image ...] --chart NAME.cht\n"
               "                 --output-dir DIR [--jobs N] [OPTIONS]\n"
               "\n"
               "Reads the chart image with scanin, builds the profile with colprof and checks it\n"
               "with profcheck. Several images (or a folder of .tif, .tiff, .png, .jpg, .jpeg\n"
               "images) with --output-dir make one profile per image, named after the image;\n"
               "a failing image does not stop the others.\n"
               "\n"
               "  --image FILE|DIR         chart image, or a folder of them (repeatable)\n"
               "  --chart NAME.cht         chart type by its chart file (see 'charts')\n"
               "  --reference FILE         reference values; without it the chart's generic\n"
               "                           reference, else its own reference file, is used\n"
               "  --output FILE.icc        where the profile goes (.icc or .icm)\n"
               "  --output-dir DIR         folder for one profile per image (made if missing)\n"
               "  --jobs N                 profiles made at once in a batch, 1 to 32 (1)\n"
               "  --gamma G                scanin gamma, above 0 and at most 10 (%5)\n"
               "  --perspective            let scanin correct perspective distortion\n"
               "  --fiducials X1,Y1,...,X4,Y4\n"
               "                           chart corners in image pixels, clockwise from any\n"
               "                           corner (say top left, top right, bottom right,\n"
               "                           bottom left): the turn whose reading fits the\n"
               "                           reference is used, whichever way the chart lies\n"
               "  --white-point V          white point scale, 0.5 to 1.5 (%6)\n"
               "  --shadows V              dark-area emphasis, 1 to 3 (%7)\n"
               "  --algorithm A            by name or position (%8):\n"
               "%2"
               "  --quality Q              by name or position (%9):\n"
               "%3"
               "  --intent I               by name or position (%10):\n"
               "%4"
               "  --device T               device manufacturer text (%11)\n"
               "  --model T                model text (%12)\n"
               "  --description T          description (the profile's file name)\n"
               "  --copyright T            copyright text (empty)\n"
               "  --save-ti3               keep the TI3 measurements beside the profile\n"
               "  --save-diag              keep scanin's diagnostic image beside the profile\n"
               "  --keep-work              keep the work folders (their paths are logged)\n"
               "  --timeout SECONDS        stop a tool that runs longer (none)\n"
               "  --json                   print the result as one JSON object\n"
               "  --quiet                  no log on standard error\n"
               "  --help                   this text\n"
               "\n"
               "Exit status 0 only when the profile was written (in a batch: every profile), 3 "
               "when\n"
               "written but a chart reading did not fit its reference (look at the diagnostic).\n")
        .arg(kProgramaCli, Elecciones(NombresAlgoritmo()), Elecciones(NombresCalidad()),
             Elecciones(NombresIntento()), ValorPorDefecto(QStringLiteral("txtGamma")),
             ValorPorDefecto(QStringLiteral("txtWhitePoint")),
             ValorPorDefecto(QStringLiteral("txtDarkAreas")),
             PorDefecto(NombresAlgoritmo(), QStringLiteral("cboAlgorithm")),
             PorDefecto(NombresCalidad(), QStringLiteral("cboQuality")))
        .arg(PorDefecto(NombresIntento(), QStringLiteral("cboIntent")),
             Texto(QStringLiteral("default.device")), Texto(QStringLiteral("default.model")));
}

QString AyudaCharts() {
    return QStringLiteral("Usage: %1 charts [--json]\n"
                          "\n"
                          "Lists the chart catalogue: position, name, chart file, generic\n"
                          "reference and the chart's own reference file when one is found.\n"
                          "\n"
                          "  --json    print the list as a JSON array\n"
                          "  --help    this text\n")
        .arg(kProgramaCli);
}

QString AyudaVerify() {
    return QStringLiteral(
               "Usage: %1 verify --ti3 FILE --profile FILE [OPTIONS]\n"
               "\n"
               "Runs profcheck with one line per patch, as the verification window does, and\n"
               "prints its summary.\n"
               "\n"
               "  --ti3 FILE         TI3 measurement file\n"
               "  --profile FILE     ICC profile\n"
               "  --intent I         by name or position (absolute):\n"
               "%2"
               "  --sort             sort the patches by error (-s)\n"
               "  --prune DE         write a TI3 without the patches above this error (-P)\n"
               "  --json             print the summary and the per-patch errors as JSON\n"
               "  --quiet            no log on standard error\n"
               "  --timeout SECONDS  stop profcheck when it runs longer (none)\n"
               "  --help             this text\n"
               "\n"
               "Exit status 0 when profcheck ended with 0.\n")
        .arg(kProgramaCli, Elecciones(NombresIntentoVerificacion()));
}

QString AyudaCompare() {
    return QStringLiteral(
               "Usage: %1 compare --reference FILE --measured FILE [OPTIONS]\n"
               "\n"
               "Runs colverify with the options of the comparison window and prints its\n"
               "report.\n"
               "\n"
               "  --reference FILE   reference TI3 file\n"
               "  --measured FILE    measured TI3 file\n"
               "  --each             one line per patch (-v 2)\n"
               "  --match-location   match patches by position (-l)\n"
               "  --de2000           CIEDE2000 differences (-k)\n"
               "  --histogram        error histogram (-h)\n"
               "  --sort             sort by error (-s)\n"
               "  --d50              D50 white (-D)\n"
               "  --normalize N      white normalisation, by name or position (none):\n"
               "%2"
               "  --x3dom N          X3DOM view beside the measured file (none):\n"
               "%3"
               "  --axes             X3DOM axes (-x)\n"
               "  --quiet            no log on standard error\n"
               "  --timeout SECONDS  stop colverify when it runs longer (none)\n"
               "  --help             this text\n"
               "\n"
               "Exit status 0 when colverify ended with 0.\n")
        .arg(kProgramaCli, Elecciones(NombresNormalizar()), Elecciones(NombresX3dom()));
}

QString PistaAyuda(const QString& comando) {
    return QStringLiteral("Try '%1 %2 --help'.\n").arg(kProgramaCli, comando);
}
