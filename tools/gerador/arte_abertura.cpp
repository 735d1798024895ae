// The big pictures of abertura/: the title screen with its menu box and
// treble-clef cursor, the instructions page, the game-over screen and the
// three finish screens.
//
// Where the game puts them: the title background at (0, 0), the menu box at
// (259, 300) with its four entries 45 rows apart, the cursor at
// (220, 300 + 45 x entry); the help background at (0, 0) with the
// instructions panel at (10, 200). The end screens fill the screen and get
// the scores printed at (50, 50) and (470, 50) in the 8-pixel font, white on
// the game-over screen and black on the finish screens, so a plain band is
// kept across their top. Full-screen pictures have no magenta: they are
// drawn with draw_sprite, which would leave holes there.
#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "clave.h"
#include "figuras.h"
#include "formas.h"
#include "letras.h"
#include "paletas.h"
#include "pincel.h"

namespace {

using pincel::BAYER;
using pincel::contornar;
using pincel::ehMagenta;
using pincel::estrelas;
using pincel::letreiro;
using pincel::Letreiro;
using pincel::textoCentradoComSombra;
using pincel::textoComSombra;
using pincel::degrade;
using pincel::retanguloArredondado;
using pincel::traco;
using pincel::Cor;
using pincel::deCor;
using pincel::misturar;
using pincel::rgb;
using pincel::Sorteio;

constexpr int LARGURA_TELA = 640;
constexpr int ALTURA_TELA = 480;

// The menu box and the cursor.
constexpr int PASSO_ENTRADA = 45;
constexpr int CAIXA_LARGURA = 206;
constexpr int CAIXA_ALTURA = 4 * PASSO_ENTRADA;
const char* const ENTRADAS[4] = {"1 Jogador", "2 Jogadores", "Instrucoes", "Sair"};

// The instructions panel.
constexpr int INSTRUCOES_LARGURA = 620;
constexpr int INSTRUCOES_ALTURA = 280;

// The band across the top of the end screens where the scores are printed.
constexpr int FAIXA_PLACAR_FIM = 82;

// ---- Colours ---------------------------------------------------------------------

using pincel::BRANCO;
using pincel::clarear;
using pincel::CONTORNO;
using pincel::escurecer;

// ---- Pieces shared by the screens ------------------------------------------------------

const Letreiro LOGO = {{255, 240, 130}, {244, 84, 60}, {110, 36, 84}, 6, 3};
const Letreiro TITULO = {{255, 240, 150}, {250, 150, 60}, {96, 40, 96}, 4, 2};

const std::vector<Cor> CEU_NOITE = {{30, 26, 70}, {48, 40, 104}, {84, 62, 136}, {140, 86, 150}};

void fundoNoite(BITMAP* b, uint32_t semente) {
    degrade(b, 0, 0, LARGURA_TELA - 1, ALTURA_TELA - 1, CEU_NOITE, 4);
    estrelas(b, {0, 0, LARGURA_TELA - 1, 300, 140, semente, {130, 126, 200}, {250, 248, 255}, 6});
}

// A stage spotlight: a cone of stippled light from (x, y) spreading downwards.
void holofote(BITMAP* b, int x, int y, int alvoX, int alvoY, int abertura, Cor luz) {
    for (int j = std::max(0, y); j <= alvoY && j < b->h; j++) {
        double t = double(j - y) / (alvoY - y);
        int cx = int(x + (alvoX - x) * t), meia = int(4 + abertura * t);
        for (int i = cx - meia; i <= cx + meia; i++)
            if (i >= 0 && i < b->w && ((i + j) % 3 == 0)) putpixel(b, i, j, rgb(misturar(deCor(getpixel(b, i, j)), luz, 0.35)));
    }
}

// A stage floor: gold trim, red skirt, a row of footlights.
void palco(BITMAP* b, int x1, int x2, int topo, int base) {
    rectfill(b, x1, topo, x2, base, makecol(150, 40, 60));
    hline(b, x1, topo, x2, makecol(255, 230, 150));
    hline(b, x1, topo + 1, x2, makecol(214, 156, 76));
    hline(b, x1, topo + 2, x2, makecol(120, 30, 52));
    hline(b, x1, base, x2, makecol(84, 24, 42));
    int meio = (topo + 3 + base) / 2;
    for (int x = x1 + 10; x < x2; x += 24) {
        circlefill(b, x, meio, 3, makecol(255, 186, 90));
        circlefill(b, x, meio, 1, makecol(255, 244, 190));
    }
}

// A quaver: tilted head, stem and flag, outlined.
void nota(BITMAP* b, int x, int y, Cor corpo) {
    int c = rgb(CONTORNO);
    ellipsefill(b, x, y, 6, 5, c);
    rectfill(b, x + 3, y - 22, x + 7, y, c);
    traco(b, x + 6, y - 21, x + 14, y - 11, 4, c);
    ellipsefill(b, x, y, 5, 4, rgb(corpo));
    rectfill(b, x + 4, y - 21, x + 6, y - 1, rgb(corpo));
    traco(b, x + 6, y - 20, x + 13, y - 12, 2, rgb(corpo));
    putpixel(b, x - 2, y - 2, makecol(255, 255, 255));
}

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

// ---- Title ----------------------------------------------------------------------------------

void pauta(BITMAP* b, int topo) {
    for (int i = 0; i < 5; i++) hline(b, 0, topo + i * 10, LARGURA_TELA - 1, makecol(150, 130, 200));
    desenharClave(b, 12, topo - 14, 1.6, 1.0, OURO, clarear(OURO, 0.6));
    const int xs[] = {110, 170, 236, 390, 452, 520, 586};
    const int ys[] = {30, 20, 35, 15, 25, 40, 10};
    const Cor cores[] = {{255, 120, 120}, {120, 220, 255}, {255, 220, 90}, {140, 240, 150},
                         {255, 150, 220}, {255, 220, 90}, {120, 220, 255}};
    for (int i = 0; i < 7; i++) nota(b, xs[i], topo + ys[i], cores[i]);
}

BITMAP* desenharFundoTitulo() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(30, 26, 70));
    fundoNoite(b, 3u);
    holofote(b, 60, -20, 110, 470, 80, {255, 240, 200});
    holofote(b, 580, -20, 540, 470, 80, {255, 240, 200});
    letreiro(b, "RITMURO", LARGURA_TELA / 2, 30, 8, LOGO);
    textoCentradoComSombra(b, "ritmo, muros e dois amigos", LARGURA_TELA / 2, 116, {230, 220, 255}, CONTORNO, 2);
    pauta(b, 160);
    palco(b, 0, LARGURA_TELA - 1, 466, ALTURA_TELA - 1);
    pousar(b, desenharZorbo(0.92, TOCANDO_ZORBO, false), 104, 470);
    pousar(b, desenharVelna(0.92, TOCANDO_VELNA, false), 548, 470);
    return b;
}

// The menu: four plates one under the other; entry `destacada` is lit gold.
BITMAP* desenharCaixa(int destacada) {
    BITMAP* b = pincel::nova(CAIXA_LARGURA, CAIXA_ALTURA, pincel::magenta());
    for (int i = 0; i < 4; i++) {
        int y1 = i * PASSO_ENTRADA + 3, y2 = y1 + 38;
        bool acesa = i == destacada;
        Cor borda = acesa ? Cor{255, 250, 210} : Cor{120, 110, 200};
        retanguloArredondado(b, 0, y1, CAIXA_LARGURA - 1, y2, 9, rgb(CONTORNO));
        retanguloArredondado(b, 2, y1 + 2, CAIXA_LARGURA - 3, y2 - 2, 7, rgb(borda));
        BITMAP* miolo = pincel::nova(CAIXA_LARGURA, CAIXA_ALTURA, pincel::magenta());
        retanguloArredondado(miolo, 4, y1 + 4, CAIXA_LARGURA - 5, y2 - 4, 5, makecol(1, 2, 3));
        std::vector<Cor> tons = acesa ? std::vector<Cor>{{255, 236, 130}, {250, 160, 50}}
                                      : std::vector<Cor>{{70, 60, 130}, {40, 34, 86}};
        for (int y = y1 + 4; y <= y2 - 4; y++)
            for (int x = 4; x < CAIXA_LARGURA - 4; x++)
                if (!ehMagenta(miolo, x, y)) {
                    double t = double(y - y1 - 4) / 30.0;
                    int banda = int(t * 4 + (BAYER[y & 3][x & 3] + 0.5) / 16.0);
                    putpixel(b, x, y, rgb(misturar(tons[0], tons[1], std::min(1.0, banda / 4.0))));
                }
        destroy_bitmap(miolo);
        int textoY = y1 + 12;
        if (acesa)
            textoCentradoComSombra(b, ENTRADAS[i], CAIXA_LARGURA / 2, textoY, {70, 20, 50}, {255, 246, 200}, 2);
        else
            textoCentradoComSombra(b, ENTRADAS[i], CAIXA_LARGURA / 2, textoY, {226, 222, 255}, CONTORNO, 2);
    }
    return b;
}

// ---- Instructions -----------------------------------------------------------------------------

// A vignette panel of the help page with its caption.
void vinheta(BITMAP* b, int x, int y, int w, int h, const std::string& legenda) {
    retanguloArredondado(b, x - 2, y - 2, x + w + 1, y + h + 1, 8, rgb(CONTORNO));
    retanguloArredondado(b, x, y, x + w - 1, y + h - 1, 7, makecol(120, 110, 200));
    retanguloArredondado(b, x + 2, y + 2, x + w - 3, y + h - 3, 5, makecol(40, 34, 84));
    textoCentradoComSombra(b, legenda, x + w / 2, y + h - 14, {255, 236, 150}, CONTORNO);
}

// A wall block as the game shows them: solid dark, battlements on top,
// a thin glow around.
void blocoDeMuro(BITMAP* b, int x1, int y1, int x2, int y2) {
    int brilho = makecol(150, 100, 230), muro = makecol(10, 8, 14);
    rect(b, x1 - 1, y1 - 1, x2 + 1, y2 + 1, brilho);
    for (int x = x1 + 3; x + 5 <= x2 - 2; x += 10) {
        rect(b, x - 1, y1 - 5, x + 5, y1 - 1, brilho);
        rectfill(b, x, y1 - 4, x + 4, y1, muro);
    }
    rectfill(b, x1, y1, x2, y2, muro);
    hline(b, x1 + 1, y1 + 1, x2 - 1, makecol(50, 40, 70));
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
    iconeSeta(b, ax, ay + 30, 30, 0, {70, 222, 104});
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

BITMAP* desenharFundoAjuda() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(30, 26, 70));
    fundoNoite(b, 9u);
    letreiro(b, "Como jogar", LARGURA_TELA / 2, 14, 5, TITULO);
    vinhetaMuros(b, 22, 76);
    vinhetaSetas(b, 230, 76);
    vinhetaCombo(b, 438, 76);
    return b;
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

// ---- End screens ---------------------------------------------------------------------------------

// The plate behind the scores: its frame lies outside the rows and columns
// where the game prints, so the inside stays one plain colour.
void placaDoPlacar(BITMAP* b, Cor fundo, Cor moldura) {
    rectfill(b, 0, 0, LARGURA_TELA - 1, FAIXA_PLACAR_FIM - 1, rgb(fundo));
    rect(b, 14, 30, LARGURA_TELA - 7, 74, rgb(moldura));
    rect(b, 12, 28, LARGURA_TELA - 5, 76, rgb(misturar(moldura, fundo, 0.6)));
    hline(b, 0, FAIXA_PLACAR_FIM, LARGURA_TELA - 1, rgb(moldura));
}

void rodapeFim(BITMAP* b, int y, Cor cor) {
    textoCentradoComSombra(b, "Enter: voltar ao menu", LARGURA_TELA / 2, y, cor, CONTORNO, 2);
}

// A hanging stage lamp and its cone of stippled light down to a bright
// spot on the floor.
void lampada(BITMAP* b, int cx, int topo, int chao, int abertura) {
    for (int y = topo + 12; y <= chao; y++) {
        double t = double(y - topo - 12) / (chao - topo - 12);
        int meia = int(10 + abertura * t);
        for (int x = cx - meia; x <= cx + meia; x++) {
            bool miolo = std::abs(x - cx) < meia / 2;
            if ((miolo && (x + y) % 2 == 0) || (!miolo && (x + y) % 3 == 0))
                putpixel(b, x, y, rgb(misturar(deCor(getpixel(b, x, y)), {210, 200, 255}, miolo ? 0.22 : 0.14)));
        }
    }
    int p[8] = {cx - 8, topo, cx + 8, topo, cx + 14, topo + 12, cx - 14, topo + 12};
    polygon(b, 4, p, makecol(90, 84, 120));
    hline(b, cx - 13, topo + 12, cx + 13, makecol(255, 250, 220));
    hline(b, cx - 8, topo, cx + 8, makecol(140, 134, 170));
}

// A little cloud of dust where something heavy landed.
void poeira(BITMAP* b, int x, int y, int largura) {
    for (int i = 0; i < largura / 8; i++) {
        int px = x + i * 8 + (i % 2) * 3, r = 3 + (i * 5) % 4;
        circlefill(b, px, y - r / 2, r, makecol(120, 104, 150));
        circlefill(b, px - 1, y - r / 2 - 1, std::max(1, r - 2), makecol(150, 136, 180));
    }
}

// Zorbo's drum lying on its side: the shell with its zig-zag cords, one
// hoop seen end-on and the white head facing us.
void tamborCaido(BITMAP* b, int x, int y) {
    rectfill(b, x - 1, y - 17, x + 34, y + 17, rgb(CONTORNO));
    rectfill(b, x, y - 15, x + 33, y + 15, rgb(zorbo::TAMBOR));
    for (int i = 0; i < 3; i++) {
        line(b, x + 4 + i * 10, y - 13, x + 9 + i * 10, y + 13, rgb(zorbo::CORDA));
        line(b, x + 9 + i * 10, y + 13, x + 14 + i * 10, y - 13, rgb(zorbo::CORDA));
    }
    ellipsefill(b, x + 34, y, 7, 17, rgb(CONTORNO));
    ellipsefill(b, x + 34, y, 5, 15, rgb(zorbo::ARO));
    ellipsefill(b, x, y, 9, 17, rgb(CONTORNO));
    ellipsefill(b, x, y, 7, 15, rgb(zorbo::ARO));
    ellipsefill(b, x - 1, y, 5, 12, rgb(zorbo::PELE_TAMBOR));
}

// The game-over screen: the stage gone dark, one lamp left on over the
// walls that fell; the drum, a drumstick, the headband and a maraca lie about.
BITMAP* desenharFimDeJogo() {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(20, 16, 36));
    degrade(b, 0, FAIXA_PLACAR_FIM + 1, LARGURA_TELA - 1, 430, {{20, 16, 36}, {34, 26, 62}, {56, 38, 84}}, 4);
    placaDoPlacar(b, {20, 16, 36}, {110, 60, 120});
    estrelas(b, {0, FAIXA_PLACAR_FIM + 6, LARGURA_TELA - 1, 300, 60, 17u, {90, 80, 140}, {180, 170, 230}, 6});
    lampada(b, 320, FAIXA_PLACAR_FIM + 1, 430, 170);
    letreiro(b, "FIM DE JOGO", LARGURA_TELA / 2, 120, 6, {{255, 160, 140}, {200, 30, 60}, {70, 20, 50}, 6, 3});
    textoCentradoComSombra(b, "Os muros venceram desta vez...", LARGURA_TELA / 2, 196, {220, 206, 250}, CONTORNO, 2);
    palco(b, 0, LARGURA_TELA - 1, 430, 447);
    rectfill(b, 0, 448, LARGURA_TELA - 1, ALTURA_TELA - 1, makecol(36, 22, 44));
    ellipsefill(b, 320, 431, 170, 3, makecol(255, 226, 170));
    blocoDeMuro(b, 226, 394, 320, 428);
    blocoDeMuro(b, 326, 400, 420, 428);
    blocoDeMuro(b, 258, 352, 370, 388);
    blocoDeMuro(b, 296, 316, 342, 346);
    poeira(b, 222, 429, 48);
    poeira(b, 408, 429, 40);
    tamborCaido(b, 170, 412);
    traco(b, 128, 428, 156, 420, 5, rgb(CONTORNO));
    traco(b, 128, 428, 156, 420, 3, rgb(zorbo::MADEIRA));
    traco(b, 440, 424, 476, 428, 5, rgb(CONTORNO));
    traco(b, 440, 424, 476, 428, 3, rgb(zorbo::FAIXA));
    traco(b, 486, 426, 500, 414, 5, rgb(CONTORNO));
    traco(b, 486, 426, 500, 414, 3, rgb(velna::CABO));
    circlefill(b, 509, 407, 11, rgb(CONTORNO));
    circlefill(b, 509, 407, 9, rgb(velna::MARACA));
    hline(b, 501, 407, 517, rgb(velna::FAIXA_MARACA));
    circlefill(b, 506, 403, 2, rgb(clarear(velna::MARACA, 0.5)));
    rodapeFim(b, 457, {220, 214, 250});
    return b;
}

// Light background of the finish screens: the score plate on top, then
// sun rays, confetti and the stage.
void fundoFestivo(BITMAP* b, uint32_t semente) {
    int cx = LARGURA_TELA / 2, cy = 330;
    for (int y = FAIXA_PLACAR_FIM + 1; y < ALTURA_TELA; y++)
        for (int x = 0; x < LARGURA_TELA; x++) {
            double a = std::atan2(y - cy, x - cx);
            bool raio = int(std::floor((a + M_PI) / (M_PI / 12))) % 2 == 0;
            double t = std::min(1.0, double(y - FAIXA_PLACAR_FIM) / 300.0);
            Cor base = misturar({255, 244, 214}, {255, 210, 156}, t);
            putpixel(b, x, y, rgb(raio ? clarear(base, 0.5) : base));
        }
    placaDoPlacar(b, {252, 246, 228}, {236, 180, 80});
    Sorteio s(semente);
    const Cor cores[] = {{240, 70, 80}, {60, 180, 230}, {255, 200, 40}, {80, 200, 110}, {200, 90, 220}};
    for (int i = 0; i < 90; i++) {
        int x = s.ate(LARGURA_TELA), y = FAIXA_PLACAR_FIM + 8 + s.ate(330);
        int w = 3 + s.ate(4), h = 2 + s.ate(3);
        rectfill(b, x, y, x + (i % 2 ? w : h), y + (i % 2 ? h : w), rgb(cores[i % 5]));
    }
    palco(b, 0, LARGURA_TELA - 1, 440, 456);
    rectfill(b, 0, 457, LARGURA_TELA - 1, ALTURA_TELA - 1, makecol(96, 36, 56));
}

enum class Vencedor { ZORBO, VELNA, EMPATE };

BITMAP* desenharFinal(Vencedor v, uint32_t semente) {
    BITMAP* b = pincel::nova(LARGURA_TELA, ALTURA_TELA, makecol(252, 246, 228));
    fundoFestivo(b, semente);
    if (v == Vencedor::ZORBO) {
        letreiro(b, "Zorbo venceu!", LARGURA_TELA / 2, 100, 5, {{255, 236, 120}, {236, 60, 44}, {110, 30, 50}, 5, 3});
        pousar(b, desenharZorbo(1.3, VITORIA_ZORBO, true), LARGURA_TELA / 2, 444);
    } else if (v == Vencedor::VELNA) {
        letreiro(b, "Velna venceu!", LARGURA_TELA / 2, 100, 5, {{200, 255, 200}, {30, 170, 150}, {20, 80, 90}, 5, 3});
        pousar(b, desenharVelna(1.3, VITORIA_VELNA, true), LARGURA_TELA / 2, 444);
    } else {
        letreiro(b, "Empate!", LARGURA_TELA / 2, 100, 5, {{255, 244, 150}, {250, 130, 50}, {120, 40, 70}, 5, 3});
        pousar(b, desenharZorbo(1.15, VITORIA_ZORBO, true), 200, 444);
        pousar(b, desenharVelna(1.15, VITORIA_VELNA, true), 440, 444);
    }
    rodapeFim(b, 461, {255, 240, 210});
    return b;
}

void gerarAbertura() {
    pincel::salvar(desenharFundoTitulo(), "abertura/back.bmp");
    for (int i = 0; i < 4; i++) pincel::salvar(desenharCaixa(i), "abertura/caixa" + std::to_string(i) + ".bmp");
    pincel::salvar(desenharCursor(), "abertura/clave.bmp");
    pincel::salvar(desenharFundoAjuda(), "abertura/back_help.bmp");
    pincel::salvar(desenharInstrucoes(), "abertura/instrucoes.bmp");
    pincel::salvar(desenharFimDeJogo(), "abertura/game_over.bmp");
    pincel::salvar(desenharFinal(Vencedor::ZORBO, 31u), "abertura/finish_zorbo.bmp");
    pincel::salvar(desenharFinal(Vencedor::VELNA, 37u), "abertura/finish_velna.bmp");
    pincel::salvar(desenharFinal(Vencedor::EMPATE, 41u), "abertura/finish_draw.bmp");
}

pincel::Registro registro("abertura", gerarAbertura);

}  // namespace
