#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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
    ScriptedDialogs& answerMessage(int answer) { return queue({Kind::Message, answer, {}}); }
    ScriptedDialogs& answerOpen(const QString& path) { return queue({Kind::Open, 0, path}); }
    ScriptedDialogs& answerSave(const QString& path) { return queue({Kind::Save, 0, path}); }

    const QList<Call>& calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    QStringList messages() const {
        QStringList texts;
        for (const Call& call : calls_)
            if (call.kind == Kind::Message)
                texts.append(call.text);
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
        const auto answer = take({Kind::Message, text, style, title, details, {}, {}, {}});
        return answer ? answer->code : (style & 0x0F) == Msg::YesNo ? Msg::No : Msg::Ok;
    }
    QString openFile(QWidget*, const QString& filter, const QString& title,
                     const QString& initialFolder) override {
        const auto answer = take({Kind::Open, {}, {}, title, {}, filter, initialFolder, {}});
        return answer ? answer->path : QString();
    }
    QString saveFile(QWidget*, const QString& filter, const QString& title,
                     const QString& initialFolder, const QString& defaultExtension) override {
        const auto answer =
            take({Kind::Save, {}, {}, title, {}, filter, initialFolder, defaultExtension});
        return answer ? answer->path : QString();
    }

private:
    struct Answer {
        Kind kind = Kind::Message;
        int code = 0;
        QString path;
    };

    ScriptedDialogs& queue(const Answer& answer) {
        answers_.append(answer);
        return *this;
    }

    // Records the call; its answer when the next scripted one is of its kind.
    std::optional<Answer> take(const Call& call) {
        calls_.append(call);
        const QString what = call.kind == Kind::Message
                                 ? QStringLiteral("message \"%1\"").arg(call.text)
                                 : QStringLiteral("%1 dialog \"%2\"")
                                       .arg(call.kind == Kind::Open ? "open" : "save", call.title);
        if (answers_.isEmpty())
            problems_.append(QStringLiteral("no scripted answer for ") + what);
        else if (answers_.first().kind != call.kind)
            problems_.append(QStringLiteral("scripted answer of another kind for ") + what);
        else
            return answers_.takeFirst();
        return std::nullopt;
    }

    QList<Answer> answers_;
    QList<Call> calls_;
    QStringList problems_;
};
