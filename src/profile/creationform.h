#pragma once

#include "profile/creationinputs.h"

// The window a profile run takes its inputs from: the main window, whose controls the run
// must not touch.
class FormularioCreacion {
public:
    virtual ~FormularioCreacion() = default;
    // What the window shows now: image, reference, chart, options, profile texts, the stored
    // manual grid adjustment and the Results switches. Folders and tools stay empty.
    virtual EntradaCreacion EntradasFormulario() const = 0;
};
