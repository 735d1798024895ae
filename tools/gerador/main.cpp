// gerar_imagens PASTA: draws every picture the game loads into PASTA
// (normally data/), each group of pictures by its own file of this folder.
#include <allegro.h>

#include <cerrno>
#include <cstdio>

#include "pincel.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: gerar_imagens PASTA\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "gerar_imagens: Allegro nao iniciou\n");
        return 1;
    }
    set_color_depth(32);
    pincel::definirSaida(argv[1]);
    for (const pincel::Grupo& grupo : pincel::grupos()) {
        grupo.gerar();
        std::printf("gerar_imagens: %s\n", grupo.nome);
    }
    allegro_exit();
    return 0;
}
