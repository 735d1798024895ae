// The instructions page: a background with three vignettes (dodge the
// walls, hit the targets, combos multiply) and the panel with both players'
// keys and the rules.
#include "telas.h"

#include <string>
#include <utility>
#include <vector>

#include "figuras.h"
#include "formas.h"
#include "letras.h"
#include "medidas.h"
#include "setas.h"

namespace {

using pincel::CONTORNO;
using pincel::Cor;
using pincel::letreiro;
using pincel::Letreiro;
using pincel::retanguloArredondado;
using pincel::rgb;
using pincel::textoCentradoComSombra;
using pincel::textoComSombra;

// The panel, drawn at (X_INSTRUCOES, Y_INSTRUCOES), fills the screen below
// that corner with even margins left and right.
constexpr int INSTRUCOES_LARGURA = LARGURA_TELA - 2 * medidas::X_INSTRUCOES;
constexpr int INSTRUCOES_ALTURA = ALTURA_TELA - medidas::Y_INSTRUCOES;

const Letreiro TITULO = {{255, 240, 150}, {250, 150, 60}, {96, 40, 96}, 4, 2};

// A small arrow icon, `lado` pixels square, pointing 0 up, 1 down, 2 left, 3 right.
void iconeSeta(BITMAP* b, int x, int y, int lado, int direcao, Cor cor) {
    int m = lado / 2, t = lado / 3;
    std::vector<int> q = {m, 0, lado - 1, m, m + t / 2 + 1, m, m + t / 2 + 1, lado - 1,
                          m - t / 2 - 1, lado - 1, m - t / 2 - 1, m, 0, m};
    for (std::size_t i = 0; i < q.size(); i += 2) {
        int px = q[i], py = q[i + 1];
        if (direcao == 1) py = lado - 1 - py;
        if (direcao == 2) std::swap(px, py);
        if (direcao == 3) { std::swap(px, py); px = lado - 1 - px; }
        q[i] = x + px;
        q[i + 1] = y + py;
    }
    std::vector<int> sombra = q;
    for (std::size_t i = 0; i < q.size(); i++) sombra[i] += 1;
    polygon(b, int(q.size()) / 2, sombra.data(), rgb(CONTORNO));
    polygon(b, int(q.size()) / 2, q.data(), rgb(cor));
}

// A keyboard key with its label.
void tecla(BITMAP* b, int x, int y, int largura, const std::string& rotulo) {
    retanguloArredondado(b, x - 1, y - 1, x + largura, y + 22, 4, rgb(CONTORNO));
    retanguloArredondado(b, x, y, x + largura - 1, y + 21, 3, makecol(150, 146, 176));
    retanguloArredondado(b, x, y, x + largura - 1, y + 17, 3, makecol(236, 234, 246));
    rectfill(b, x + 3, y + 2, x + largura - 4, y + 15, makecol(216, 214, 232));
    pincel::textoCentrado(b, rotulo, x + largura / 2, y + 5, makecol(40, 32, 60));
}

// A key whose label is an arrow.
void teclaSeta(BITMAP* b, int x, int y, int direcao) {
    tecla(b, x, y, 22, "");
    iconeSeta(b, x + 6, y + 4, 10, direcao, {60, 50, 90});
}

// A vignette panel of the help page with its caption.
void vinheta(BITMAP* b, int x, int y, int w, int h, const std::string& legenda) {
    retanguloArredondado(b, x - 2, y - 2, x + w + 1, y + h + 1, 8, rgb(CONTORNO));
    retanguloArredondado(b, x, y, x + w - 1, y + h - 1, 7, makecol(120, 110, 200));
    retanguloArredondado(b, x + 2, y + 2, x + w - 3, y + h - 3, 5, makecol(40, 34, 84));
    textoCentradoComSombra(b, legenda, x + w / 2, y + h - 14, {255, 236, 150}, CONTORNO);
}

void vinhetaMuros(BITMAP* b, int x, int y) {
    vinheta(b, x, y, 180, 112, "Desvie dos muros");
    blocoDeMuro(b, x + 10, y + 22, x + 66, y + 34);
    blocoDeMuro(b, x + 114, y + 22, x + 170, y + 34);
    for (int i = 0; i < 3; i++) {  // they fall
        vline(b, x + 24 + i * 14, y + 8, y + 16, makecol(200, 190, 255));
        vline(b, x + 128 + i * 14, y + 8, y + 16, makecol(200, 190, 255));
    }
    const Pose parado = {{40, 140}, {120, 140}, {0.35, 1}, {-0.35, 1}};
    pousar(b, desenharZorbo(0.24, parado, false), x + 90, y + 94);
}

void vinhetaSetas(BITMAP* b, int x, int y) {
    vinheta(b, x, y, 180, 112, "Acerte no alvo");
    // The hollow target, an arrow rising into it, and the hit spark.
    int ax = x + 30, ay = y + 12;
    iconeSeta(b, ax, ay, 30, 0, {150, 220, 170});
    iconeSeta(b, ax + 6, ay + 7, 18, 0, {40, 34, 84});
    iconeSeta(b, ax, ay + 30, 30, 0, TOM_CIMA);  // the up arrow's own green
    for (int i = 0; i < 3; i++) vline(b, ax + 9 + i * 6, ay + 64, ay + 70 - (i % 2) * 3, makecol(200, 190, 255));
    letreiro(b, "!", x + 104, y + 16, 4, TITULO);
    textoCentradoComSombra(b, "+100", x + 140, y + 58, {140, 255, 160}, CONTORNO, 2);
}

void vinhetaCombo(BITMAP* b, int x, int y) {
    vinheta(b, x, y, 180, 112, "Combos multiplicam");
    const char* mult[] = {"x2", "x4", "x8"};
    const int centros[] = {30, 84, 146};
    for (int i = 0; i < 3; i++) letreiro(b, mult[i], x + centros[i], y + 60 - i * 14, 2 + i, TITULO);
}

struct Jogador {
    std::string nome, numero;
    Cor cor;
};

// One player's column: name, walking keys, answer keys.
void colunaJogador(BITMAP* b, int x, const Jogador& j, bool setasDeAndar, const char* respostas[4],
                   const std::string& nota) {
    textoComSombra(b, j.nome, x, 12, j.cor, CONTORNO, 2);
    textoComSombra(b, j.numero, x + pincel::larguraTexto(j.nome, 2) + 10, 20, {200, 196, 230}, CONTORNO);
    textoComSombra(b, "andar", x, 46, {226, 222, 255}, CONTORNO);
    if (setasDeAndar) {
        teclaSeta(b, x + 60, 40, 2);
        teclaSeta(b, x + 88, 40, 3);
    } else {
        tecla(b, x + 60, 40, 22, "G");
        tecla(b, x + 88, 40, 22, "H");
    }
    textoComSombra(b, "setas", x, 80, {226, 222, 255}, CONTORNO);
    const int direcoes[4] = {0, 1, 2, 3};
    for (int i = 0; i < 4; i++) {
        tecla(b, x + 60 + i * 52, 74, 22, respostas[i]);
        iconeSeta(b, x + 86 + i * 52, 80, 12, direcoes[i], {255, 236, 150});
    }
    if (!nota.empty()) textoComSombra(b, nota, x + 60, 102, {170, 166, 210}, CONTORNO);
}

void regra(BITMAP* b, int y, const std::string& l1, const std::string& l2) {
    circlefill(b, 22, y + 3, 3, makecol(255, 200, 60));
    textoComSombra(b, l1, 34, y, {240, 236, 255}, CONTORNO);
    textoComSombra(b, l2, 34, y + 11, {240, 236, 255}, CONTORNO);
}

}  // namespace

BITMAP* desenharFundoAjuda() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(30, 26, 70));
    fundoNoite(b, 9u);
    letreiro(b, "Como jogar", LARGURA_TELA / 2, 14, 5, TITULO);
    vinhetaMuros(b, 22, 76);
    vinhetaSetas(b, 230, 76);
    vinhetaCombo(b, 438, 76);
    return b;
}

BITMAP* desenharInstrucoes() {
    BITMAP* b = pincel::nova(INSTRUCOES_LARGURA, INSTRUCOES_ALTURA, pincel::magenta());
    retanguloArredondado(b, 0, 0, INSTRUCOES_LARGURA - 1, INSTRUCOES_ALTURA - 1, 12, rgb(CONTORNO));
    retanguloArredondado(b, 2, 2, INSTRUCOES_LARGURA - 3, INSTRUCOES_ALTURA - 3, 10, makecol(140, 128, 220));
    retanguloArredondado(b, 4, 4, INSTRUCOES_LARGURA - 5, INSTRUCOES_ALTURA - 5, 8, makecol(34, 28, 70));
    const char* teclasZorbo[4] = {"W", "S", "A", "D"};
    const char* teclasVelna[4] = {"5", "2", "1", "3"};
    colunaJogador(b, 18, {"ZORBO", "jogador 1", {255, 120, 80}}, false, teclasZorbo, "");
    colunaJogador(b, 322, {"VELNA", "jogador 2", {100, 230, 170}}, true, teclasVelna, "(teclado numerico)");
    vline(b, 310, 12, 112, makecol(90, 80, 160));
    hline(b, 16, 120, INSTRUCOES_LARGURA - 17, makecol(90, 80, 160));
    regra(b, 130, "Muros caem do alto: um muro na cabeca custa uma vida.",
          "Sao tres vidas. Sem vidas ou sem energia, o jogador sai.");
    regra(b, 160, "Aperte a tecla da seta quando ela passar pelo alvo:",
          "acerto da pontos e +1% de energia; erro custa 5%.");
    regra(b, 190, "Com 15, 30 e 60 acertos seguidos o multiplicador",
          "dobra: x2, x4 e x8. Um erro zera a sequencia.");
    regra(b, 220, "A fase acaba quando as setas terminam; vidas e",
          "energia que sobrarem viram bonus.");
    retanguloArredondado(b, 16, 250, INSTRUCOES_LARGURA - 17, 268, 5, makecol(60, 50, 120));
    pincel::textoCentrado(b, "P: pausa     Esc: sair     F5: pular a fase", INSTRUCOES_LARGURA / 2, 255,
                          makecol(255, 236, 150));
    return b;
}
