#include "shell/tooljob.h"

#include <QPointer>
#include <QThread>

ToolJob::ToolJob(ActivityLog& destino) : destino_(destino) {}

ToolJob::~ToolJob() {
    if (!hilo_)
        return;
    {
        QMutexLocker lock(&mutex_);
        abandonado_ = true;
        respondida_.wakeAll();
    }
    cancel_->cancel();
    hilo_->wait();
    // Lines and the end still queued go with this object, unread.
}

void ToolJob::Cancelar() {
    if (cancel_)
        cancel_->cancel();
}

bool ToolJob::Lanzar(std::function<void(ActivityLog&, const CancelToken*)> trabajo,
                     std::function<void()> alTerminar) {
    if (hilo_)
        return false;
    cancel_ = std::make_unique<CancelToken>();
    alTerminar_ = std::move(alTerminar);
    hilo_.reset(QThread::create([this, trabajo = std::move(trabajo)] {
        trabajo(*this, cancel_.get());
        // Queued behind the run's last line.
        QMetaObject::invokeMethod(this, &ToolJob::Terminar, Qt::QueuedConnection);
    }));
    hilo_->start();
    return true;
}

void ToolJob::Terminar() {
    hilo_->wait(); // its last statement has run
    hilo_.reset();
    cancel_.reset();
    // Taken first: alTerminar may start the next run.
    const std::function<void()> alTerminar = std::move(alTerminar_);
    alTerminar_ = nullptr;
    alTerminar();
    emit terminado();
}

bool ToolJob::EnHiloPrincipal(const std::function<void()>& pregunta) {
    QMutexLocker lock(&mutex_);
    if (abandonado_)
        return false;
    bool respondida = false;
    QMetaObject::invokeMethod(
        this,
        [this, &pregunta, &respondida] {
            QPointer<ToolJob> vivo(this);
            pregunta();
            if (!vivo) // destroyed while the question was open: the worker has gone on
                return;
            QMutexLocker answered(&mutex_);
            respondida = true;
            respondida_.wakeAll();
        },
        Qt::QueuedConnection);
    while (!respondida && !abandonado_)
        respondida_.wait(&mutex_);
    return respondida;
}

void ToolJob::LogMsg(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { destino_.LogMsg(text); }, Qt::QueuedConnection);
}

void ToolJob::AgregarSalidaLog(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { destino_.AgregarSalidaLog(text); }, Qt::QueuedConnection);
}

void ToolJob::MostrarEstado(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { destino_.MostrarEstado(text); }, Qt::QueuedConnection);
}
