#pragma once

#include <QString>

// The create command's private temporary root, "nerva-chromaflux-cli-XXXXXX" in the system
// tmp folder. While the command runs the root holds a locked file; a root whose lock nobody
// holds belongs to a command that was killed before it could clean up.
class RaizTemporal {
public:
    // Makes a new root. With conservar the root stays at the end (the work kept for
    // inspection, no longer locked), otherwise it is deleted.
    explicit RaizTemporal(bool conservar);
    ~RaizTemporal();
    RaizTemporal(const RaizTemporal&) = delete;
    RaizTemporal& operator=(const RaizTemporal&) = delete;

    bool valida() const { return !ruta_.isEmpty(); }
    const QString& ruta() const { return ruta_; }
    const QString& error() const { return error_; }

private:
    QString ruta_;
    QString error_;
    int candado_ = -1;
    bool conservar_;
};

// Deletes the roots in `carpeta` that belong to this user and whose lock nobody holds.
void BarrerRaicesAbandonadas(const QString& carpeta);
