#pragma once

#include <QString>

// What the About window says about this program and the components it uses; kept here only.
// There is no web site or contact address of the product yet, so those stay empty and the
// About window leaves their lines out. The donation button opens a page of our own that is
// installed with the help.
namespace AboutInfo {
inline const QString kNombreProducto = QStringLiteral("Chromaflux");
inline const QString kFabricante = QStringLiteral("Nerva");
inline const QString kVersion = QStringLiteral("1.02a");
inline const QString kCopyright = QStringLiteral("Copyright © Nerva Chromaflux developers");
inline const QString kWeb;
inline const QString kContacto;
inline const QString kDireccionArgyllCMS = QStringLiteral("https://www.argyllcms.com/");
inline const QString kDireccionFreeImage = QStringLiteral("https://freeimage.sourceforge.io/");
inline const QString kPaginaDonacion = QStringLiteral("donar.html"); // in the help folder
} // namespace AboutInfo

// The five values the main window hands to the About window.
struct InfoPrograma {
    QString nombre = AboutInfo::kNombreProducto;
    QString version = AboutInfo::kVersion;
    QString copyright = AboutInfo::kCopyright;
    QString web = AboutInfo::kWeb;
    QString contacto = AboutInfo::kContacto;
};
