// A stand-in tool for the runner tests. The first argument picks what it does.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

void escribir(int fd, const char* text, size_t size = 0) {
    if (write(fd, text, size ? size : std::strlen(text)) < 0)
        std::exit(90);
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc < 2 ? "" : argv[1];
    const auto es = [mode](const char* name) { return std::strcmp(mode, name) == 0; };
    if (es("argv") && argc >= 3) {
        // every later argument, each ended by a NUL byte
        FILE* file = std::fopen(argv[2], "wb");
        if (!file)
            return 98;
        for (int i = 3; i < argc; ++i)
            std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
        return std::fclose(file);
    }
    if (es("out")) {
        escribir(1, "uno\n");
        escribir(2, "dos\n");
        escribir(1, "tres\n");
    } else if (es("exit") && argc >= 3) {
        return std::atoi(argv[2]);
    } else if (es("crash")) {
        std::signal(SIGSEGV, SIG_DFL); // past any sanitizer's handler
        std::raise(SIGSEGV);
        return 97;
    } else if (es("flood")) {
        static char line[1 << 16];
        std::memset(line, 'x', sizeof line);
        for (int i = 0; i < 400; ++i) // 25 MB
            escribir(1, line, sizeof line);
    } else if (es("sleep") || es("stubborn")) {
        if (es("stubborn")) {
            std::signal(SIGTERM, SIG_IGN);
            escribir(1, "ready\n");
        }
        sleep(30);
    } else if (es("pwd")) {
        char folder[4096];
        if (!getcwd(folder, sizeof folder))
            return 96;
        escribir(1, folder);
        escribir(1, "\n");
    } else if (es("crlf")) {
        escribir(1, "a\r\nb\r\n");
    } else if (es("slow")) {
        // "é" split across two writes, then a later line
        escribir(1, "one \xC3");
        usleep(150 * 1000);
        escribir(1, "\xA9\n");
        usleep(150 * 1000);
        escribir(1, "two\n");
        return 5;
    } else {
        return 99;
    }
    return 0;
}
