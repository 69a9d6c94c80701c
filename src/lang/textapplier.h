#pragma once

// A window whose texts follow the current language. It applies them when it loads, and
// AplicarIdiomaFormularios calls aplicarTextos again on every open window that implements it.
class TextApplier {
public:
    virtual ~TextApplier() = default;
    virtual void aplicarTextos() = 0;
};
