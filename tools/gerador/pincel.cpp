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
    std::string completo = pastaSaida + "/" + caminho;
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

int larguraTexto(const std::string& s, int escala) {
    return text_length(font, s.c_str()) * escala;
}

void texto(BITMAP* destino, const std::string& s, int x, int y, int cor, int escala) {
    if (escala <= 1) {
        textout_ex(destino, font, s.c_str(), x, y, cor, -1);
        return;
    }
    // Draw at 1:1 on a magenta card, scale it up, then copy the glyphs only.
    int w = text_length(font, s.c_str()), h = text_height(font);
    BITMAP* pequeno = nova(w, h, magenta());
    textout_ex(pequeno, font, s.c_str(), 0, 0, cor, -1);
    BITMAP* grande = nova(w * escala, h * escala, magenta());
    stretch_blit(pequeno, grande, 0, 0, w, h, 0, 0, w * escala, h * escala);
    draw_sprite(destino, grande, x, y);
    destroy_bitmap(grande);
    destroy_bitmap(pequeno);
}

void textoCentrado(BITMAP* destino, const std::string& s, int centroX, int y, int cor,
                   int escala) {
    texto(destino, s, centroX - larguraTexto(s, escala) / 2, y, cor, escala);
}

}  // namespace pincel
