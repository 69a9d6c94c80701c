#include "cli/parallelrun.h"

#include "shell/toolrunner.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

void EjecutarEnParalelo(int count, int hilos, const std::function<void(int)>& tarea,
                        const CancelToken* cancel) {
    std::atomic<int> siguiente{0};
    auto trabajador = [&] {
        for (;;) {
            if (cancel != nullptr && cancel->cancelled())
                return;
            const int i = siguiente.fetch_add(1);
            if (i >= count)
                return;
            tarea(i);
        }
    };
    std::vector<std::unique_ptr<QThread>> threads;
    const int n = std::clamp(hilos, 1, std::max(count, 1));
    for (int t = 0; t < n && t < count; ++t) {
        threads.emplace_back(QThread::create(trabajador));
        threads.back()->start();
    }
    for (const auto& thread : threads)
        thread->wait();
}
