#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// A DialogProvider for tests: installs itself while it lives, answers from a queue of scripted
// answers in order, and records every dialog asked for. A dialog with no scripted answer (or
// of another kind than the next answer) never blocks: it is answered as cancelled (Ok, No or
// the empty path) and listed in problems(), which a test checks with
//     QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
class ScriptedDialogs : public DialogProvider {
public:
    enum class Kind { Message, Open, Save };

    struct Call {
        Kind kind = Kind::Message;
        QString text; // message text
        Msg::Styles style;
        QString title;
        QString details; // message details
        QString filter;
        QString initialFolder;
        QString defaultExtension;
    };

    ScriptedDialogs() { EstablecerDialogos(this); }
    ~ScriptedDialogs() override { EstablecerDialogos(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Queue the answer of the next dialog.
    ScriptedDialogs& answerMessage(int answer) { return queue(Kind::Message, answer, {}); }
    ScriptedDialogs& answerOpen(const QString& path) { return queue(Kind::Open, 0, path); }
    ScriptedDialogs& answerSave(const QString& path) { return queue(Kind::Save, 0, path); }

    const QList<Call>& calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    QStringList messages() const {
        QStringList texts;
        for (const Call& call : calls_) {
            if (call.kind == Kind::Message)
                texts.append(call.text);
        }
        return texts;
    }
    // Dialogs that came without a scripted answer and answers never used; empty when the
    // script matched exactly.
    QString problems() const {
        QStringList all = problems_;
        if (!answers_.isEmpty())
            all.append(QStringLiteral("%1 scripted answer(s) never used").arg(answers_.size()));
        return all.join(QLatin1Char('\n'));
    }

    int message(QWidget*, const QString& text, Msg::Styles style, const QString& title,
                const QString& details) override {
        Call call;
        call.kind = Kind::Message;
        call.text = text;
        call.style = style;
        call.title = title;
        call.details = details;
        calls_.append(call);
        Answer answer;
        if (take(Kind::Message, QStringLiteral("message \"%1\"").arg(text), &answer))
            return answer.code;
        return (style & 0x0F) == Msg::YesNo ? Msg::No : Msg::Ok;
    }

    QString openFile(QWidget*, const QString& filter, const QString& title,
                     const QString& initialFolder) override {
        Call call;
        call.kind = Kind::Open;
        call.title = title;
        call.filter = filter;
        call.initialFolder = initialFolder;
        calls_.append(call);
        Answer answer;
        take(Kind::Open, QStringLiteral("open dialog \"%1\"").arg(title), &answer);
        return answer.path;
    }

    QString saveFile(QWidget*, const QString& filter, const QString& title,
                     const QString& initialFolder, const QString& defaultExtension) override {
        Call call;
        call.kind = Kind::Save;
        call.title = title;
        call.filter = filter;
        call.initialFolder = initialFolder;
        call.defaultExtension = defaultExtension;
        calls_.append(call);
        Answer answer;
        take(Kind::Save, QStringLiteral("save dialog \"%1\"").arg(title), &answer);
        return answer.path;
    }

private:
    struct Answer {
        Kind kind = Kind::Message;
        int code = 0;
        QString path;
    };

    ScriptedDialogs& queue(Kind kind, int code, const QString& path) {
        answers_.append(Answer{kind, code, path});
        return *this;
    }

    bool take(Kind kind, const QString& what, Answer* answer) {
        if (answers_.isEmpty()) {
            problems_.append(QStringLiteral("no scripted answer for ") + what);
            return false;
        }
        if (answers_.first().kind != kind) {
            problems_.append(QStringLiteral("scripted answer of another kind for ") + what);
            return false;
        }
        *answer = answers_.takeFirst();
        return true;
    }

    QList<Answer> answers_;
    QList<Call> calls_;
    QStringList problems_;
};
