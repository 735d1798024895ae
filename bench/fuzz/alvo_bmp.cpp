// Fuzz target of the start-up picture check: each input is written as a
// picture file, judged by the check, and when the check passes it, loaded by
// the library exactly as the game loads it. Built two ways by
// bench/fuzz_bmp.sh: with libFuzzer and the sanitizers over a library built
// with them too, and plainly over the system library (with `main` below) to
// replay files under glibc's heap checks.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imagens.h"

namespace {

std::string pasta;
std::string arquivo;

void apagarArquivos() {
    unlink(arquivo.c_str());
    rmdir(pasta.c_str());
}

// Writes the input as the picture file, judges it and, when the check passes
// it, loads it as the game does. True when the check passed it.
bool julgarEAbrir(const std::uint8_t* dados, std::size_t tamanho) {
    std::FILE* f = std::fopen(arquivo.c_str(), "wb");
    if (!f) std::abort();
    if (tamanho > 0 && std::fwrite(dados, 1, tamanho, f) != tamanho) std::abort();
    std::fclose(f);

    if (!imagens::bmpCompleto(arquivo.c_str())) return false;
    BITMAP* imagem = load_bitmap(arquivo.c_str(), NULL);
    // A file the check passes is one the reader takes whole: the library
    // refusing it means the check misjudged it.
    if (!imagem) {
        std::fprintf(stderr, "the check passed a file the library does not load\n");
        std::abort();
    }
    destroy_bitmap(imagem);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) std::abort();
    set_color_depth(32);  // as the game: every picture is converted to 32 bits
    // libFuzzer may end the process without running atexit handlers: the
    // fuzz script points TMPDIR into its build folder and empties it itself.
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/ritmuro-fuzz-XXXXXX";
    if (!mkdtemp(&modelo[0])) std::abort();
    pasta = modelo;
    arquivo = pasta + "/imagem.bmp";
    std::atexit(apagarArquivos);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    julgarEAbrir(dados, tamanho);
    return 0;
}

#ifndef RITMURO_LIBFUZZER
// The plain build: replays the files named on the command line, one after
// the other in one process, and says how many the check passed.
int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    int passaram = 0;
    for (int i = 1; i < argc; i++) {
        std::FILE* f = std::fopen(argv[i], "rb");
        if (!f) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        std::vector<std::uint8_t> dados;
        int c;
        while ((c = std::fgetc(f)) != EOF) dados.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
        if (julgarEAbrir(dados.data(), dados.size())) passaram++;
    }
    std::printf("replayed %d files, %d passed the check and loaded\n", argc - 1, passaram);
    return 0;
}
#endif
