#include "verify/cajalog.h"

#include <QFontDatabase>

CajaLog::CajaLog(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void CajaLog::LogMsg(const QString& text) {
    AgregarSalidaLog(document()->isEmpty() ? text : QStringLiteral("\n") + text);
}

void CajaLog::AgregarSalidaLog(const QString& text) {
    if (text.isEmpty())
        return;
    moveCursor(QTextCursor::End);
    insertPlainText(text);
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}
