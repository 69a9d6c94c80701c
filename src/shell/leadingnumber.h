#pragma once

#include <QString>

#include <optional>

// How a number is read from the start of a text.
struct FormaNumero {
    bool comaDecimal = false; // "," counts as the decimal point (numbers the user types)
    bool soloNumero = false;  // nothing but blanks may follow the number
};

// The decimal number at the start of the text, after leading blanks: an optional sign, then
// digits with an optional "." and more digits, or "." and digits ("3." and ".5" are numbers, an
// exponent is not). Unset when the text does not begin with one, or when soloNumero and more
// than blanks follow it.
std::optional<double> NumeroInicial(const QString& text, FormaNumero forma = {});
