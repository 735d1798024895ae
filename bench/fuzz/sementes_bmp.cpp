// Writes the fuzzer's small seeds: the test drawing in every layout the
// library's reader takes, bottom-up and (Windows layouts) top-down.
//   sementes_bmp PASTA
#include <cstdio>
#include <string>

#include "montador_bmp.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s PASTA\n", argv[0]);
        return 2;
    }
    int escritos = 0;
    for (apoio::Layout layout : apoio::TODOS_LAYOUTS)
        for (bool deCima : {false, true}) {
            if (deCima && (layout == apoio::Layout::Os2Bits8 || layout == apoio::Layout::Os2Bits24)) continue;
            const std::string nome = std::string(argv[1]) + "/layout" + std::to_string(static_cast<int>(layout)) +
                                     (deCima ? "_de_cima.bmp" : ".bmp");
            const auto bytes = apoio::montarBmp(layout, deCima);
            std::FILE* f = std::fopen(nome.c_str(), "wb");
            if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return 1;
            std::fclose(f);
            escritos++;
        }
    std::printf("%d seeds\n", escritos);
    return 0;
}
