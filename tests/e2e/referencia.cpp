// referencia_e2e IN OUT [X Y COR TEXTO]...
// Writes IN with the given texts printed in the library's own 8-pixel font
// (COR: branco or preto), the way the game prints scores on its end screens,
// so end-to-end tests can compare a screenshot with what must be on screen.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3 || (argc - 3) % 4 != 0) {
        std::fprintf(stderr, "uso: referencia_e2e IN OUT [X Y branco|preto TEXTO]...\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    BITMAP* imagem = load_bitmap(argv[1], NULL);
    if (!imagem) {
        std::fprintf(stderr, "referencia_e2e: nao li %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; i += 4) {
        const int cor = std::strcmp(argv[i + 2], "branco") == 0 ? makecol(255, 255, 255)
                                                                : makecol(0, 0, 0);
        textout_ex(imagem, font, argv[i + 3], std::atoi(argv[i]), std::atoi(argv[i + 1]), cor, -1);
    }
    const int erro = save_bmp(argv[2], imagem, NULL);
    destroy_bitmap(imagem);
    return erro == 0 ? 0 : 1;
}
