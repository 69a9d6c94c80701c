#pragma once

#include <functional>

class CancelToken;

// Runs tarea(0) .. tarea(count - 1), at most `hilos` at once, each on a worker thread of its
// own with an event loop (the tool runner waits for its tools there); returns when every task
// has ended. Once `cancel` fires, tasks not yet started are skipped.
void EjecutarEnParalelo(int count, int hilos, const std::function<void(int)>& tarea,
                        const CancelToken* cancel = nullptr);
