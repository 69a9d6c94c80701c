#pragma once

#include "shell/activitylog.h"
#include "shell/toolrunner.h"

#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <functional>
#include <memory>
#include <type_traits>

class QThread;

// Runs one tool pipeline at a time on a worker thread (the tool runner waits there in the
// worker's own event loop), so the window that started it keeps handling events. What the
// pipeline logs reaches `destino` on this object's thread in the order it was written; a
// question for the user runs there too (EnHiloPrincipal) while the worker waits for the
// answer. Destroying the job during a run stops the tool and waits for the worker, which then
// gets no more answers, so closing never hangs on a question.
class ToolJob : public QObject, private ActivityLog {
    Q_OBJECT

public:
    explicit ToolJob(ActivityLog& destino);
    ~ToolJob() override;

    bool Ejecutando() const { return hilo_ != nullptr; }
    bool Cancelado() const { return Ejecutando() && cancel_->cancelled(); }
    // Stops the running tool; the pipeline then ends through its own clean-up.
    void Cancelar();

    // Runs trabajo(log, cancel) on a worker and then, here, alTerminar(its result) once every
    // line it logged has been delivered. Refused (false) while a run is going.
    template <typename Trabajo, typename Fin> bool Iniciar(Trabajo trabajo, Fin alTerminar) {
        using Resultado = std::invoke_result_t<Trabajo&, ActivityLog&, const CancelToken*>;
        auto resultado = std::make_shared<Resultado>();
        return Lanzar(
            [trabajo, resultado](ActivityLog& log, const CancelToken* cancel) mutable {
                *resultado = trabajo(log, cancel);
            },
            [alTerminar, resultado] { alTerminar(*resultado); });
    }

    // Called by the pipeline on the worker: runs `pregunta` on this object's thread and waits
    // for it there. False when the job was destroyed before it could be asked.
    bool EnHiloPrincipal(const std::function<void()>& pregunta);

signals:
    // A run has ended, after its alTerminar.
    void terminado();

private:
    bool Lanzar(std::function<void(ActivityLog&, const CancelToken*)> trabajo,
                std::function<void()> alTerminar);
    void Terminar();

    // The worker's side of the log: every call is queued to destino_.
    void LogMsg(const QString& text) override;
    void AgregarSalidaLog(const QString& text) override;
    void MostrarEstado(const QString& text) override;

    ActivityLog& destino_;
    std::unique_ptr<QThread> hilo_;
    std::unique_ptr<CancelToken> cancel_;
    std::function<void()> alTerminar_;
    QMutex mutex_; // guards abandonado_ and the answer of the question being asked
    QWaitCondition respondida_;
    bool abandonado_ = false;
};
