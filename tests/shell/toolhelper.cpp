// A stand-in tool for the runner tests. The first argument picks what it does.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

void escribir(int fd, const char* text, size_t size) {
    if (write(fd, text, size) < 0)
        std::exit(90);
}

void escribir(int fd, const char* text) {
    escribir(fd, text, std::strlen(text));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 99;
    const char* mode = argv[1];
    if (!std::strcmp(mode, "argv") && argc >= 3) {
        // every later argument, each ended by a NUL byte
        FILE* file = std::fopen(argv[2], "wb");
        if (!file)
            return 98;
        for (int i = 3; i < argc; ++i)
            std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
        std::fclose(file);
        return 0;
    }
    if (!std::strcmp(mode, "out")) {
        escribir(1, "uno\n");
        escribir(2, "dos\n");
        escribir(1, "tres\n");
        return 0;
    }
    if (!std::strcmp(mode, "exit") && argc >= 3)
        return std::atoi(argv[2]);
    if (!std::strcmp(mode, "crash")) {
        std::signal(SIGSEGV, SIG_DFL); // past any sanitizer's handler
        std::raise(SIGSEGV);
        return 97;
    }
    if (!std::strcmp(mode, "flood")) {
        static char line[1 << 16];
        std::memset(line, 'x', sizeof line);
        for (int i = 0; i < 400; ++i) // 25 MB
            escribir(1, line, sizeof line);
        return 0;
    }
    if (!std::strcmp(mode, "sleep")) {
        sleep(30);
        return 0;
    }
    if (!std::strcmp(mode, "stubborn")) {
        std::signal(SIGTERM, SIG_IGN);
        escribir(1, "ready\n");
        sleep(30);
        return 0;
    }
    if (!std::strcmp(mode, "pwd")) {
        char folder[4096];
        if (!getcwd(folder, sizeof folder))
            return 96;
        escribir(1, folder);
        escribir(1, "\n");
        return 0;
    }
    if (!std::strcmp(mode, "crlf")) {
        escribir(1, "a\r\nb\r\n");
        return 0;
    }
    if (!std::strcmp(mode, "slow")) {
        // "é" split across two writes, then a later line
        escribir(1, "one \xC3");
        usleep(150 * 1000);
        escribir(1, "\xA9\n");
        usleep(150 * 1000);
        escribir(1, "two\n");
        return 5;
    }
    return 99;
}
