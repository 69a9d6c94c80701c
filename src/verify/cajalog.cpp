#include "verify/cajalog.h"

#include <QFontDatabase>

CajaLog::CajaLog(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void CajaLog::LogMsg(const QString& text) {
    Anadir(textoLog_.Entrada(text, document()->isEmpty()));
}

void CajaLog::AgregarSalidaLog(const QString& text) {
    Anadir(textoLog_.Salida(text));
}

void CajaLog::Anadir(const QString& chunk) {
    if (chunk.isEmpty())
        return;
    moveCursor(QTextCursor::End);
    insertPlainText(chunk);
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}
