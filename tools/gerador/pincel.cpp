#include "pincel.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace pincel {

namespace {
std::string pastaSaida = ".";

void criarPastas(const std::string& caminho) {
    for (std::size_t i = 1; i < caminho.size(); i++)
        if (caminho[i] == '/') mkdir(caminho.substr(0, i).c_str(), 0755);
}
}  // namespace

int magenta() { return makecol(255, 0, 255); }
int preto() { return makecol(0, 0, 0); }

std::vector<Grupo>& grupos() {
    static std::vector<Grupo> lista;
    return lista;
}

Registro::Registro(const char* nome, std::function<void()> gerar) {
    grupos().push_back({nome, std::move(gerar)});
}

void definirSaida(const std::string& pasta) { pastaSaida = pasta; }

std::string caminhoDeSaida(const std::string& caminho) {
    const bool pontoBarra = caminho.rfind("./", 0) == 0;
    std::string completo = pastaSaida + "/" + (pontoBarra ? caminho.substr(2) : caminho);
    criarPastas(completo);
    return completo;
}

void salvar(BITMAP* imagem, const std::string& caminho) {
    std::string completo = caminhoDeSaida(caminho);
    if (save_bmp(completo.c_str(), imagem, NULL) != 0) {
        std::fprintf(stderr, "gerar_imagens: nao foi possivel gravar %s\n", completo.c_str());
        std::exit(1);
    }
    destroy_bitmap(imagem);
}

BITMAP* nova(int largura, int altura, int cor) {
    BITMAP* b = create_bitmap(largura, altura);
    clear_to_color(b, cor);
    return b;
}

}  // namespace pincel
