// The wall-row pictures: what the game relies on, and that the rows can be
// dodged. A character (32 x 44, feet on row 441, so its head is row 397)
// walks 3 px a frame between x 138 and 468; black on rows 395-396 at
// columns x + 2 or x + 30 costs a life; black in columns x - 1, x (left) or
// x + 32, x + 33 (right) over rows 397-440 stops it.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "GerenciadorMuro.h"
#include "Personagem.h"
#include "apoio.h"
#include "imagens.h"

namespace {

const int LARGURA_FILEIRA = 359;
const int X_FILEIRA = 141;

const int LARGURA_PERSONAGEM = 32;
const int TOPO_PERSONAGEM = 441 - 44;  // head row
const int PE_PERSONAGEM = 440;         // lowest body row
const int PASSO = 3;
const int MENOR_X = 138;  // a left step is taken from x > 140
const int MAIOR_X = 468;  // a right step is taken while x + 32 <= 497
const int COLUNA_CABECA_ESQ = 2, COLUNA_CABECA_DIR = LARGURA_PERSONAGEM - 2;

const int LARGURA_MINIMA_PORTA = LARGURA_PERSONAGEM + 16;
// A block narrower than this could pass between the two head columns.
const int LARGURA_MINIMA_BLOCO = COLUNA_CABECA_DIR - COLUNA_CABECA_ESQ;
// Frames to spare, at the least, on every walk from one row's gate to the next.
const int FOLGA_MINIMA = 4;

struct Jogador {
    const char* nome;
    int xInicial;  // 160 - 16 and 480 - 16
};
const Jogador JOGADORES[2] = {{"jogador 1", 144}, {"jogador 2", 464}};

struct Fase {
    int numero;
    const char* const* caminhos;
    int total;
    int velocidade;       // px per frame
    int distanciaMinima;  // px between the tops of consecutive rows, at the least
};
// Stage 2: recycled rows restart at y 1 two pixels a frame, 57, 58 or 68
// frames apart, so consecutive rows are 114 px apart at the least.
const Fase FASES[2] = {{1, imagens::FILEIRAS_FASE1, imagens::FILEIRAS_FASE1_TOTAL, 1, 95},
                       {2, imagens::FILEIRAS_FASE2, imagens::FILEIRAS_FASE2_TOTAL, 2, 114}};

bool preto(BITMAP* b, int x, int y) { return getpixel(b, x, y) == makecol(0, 0, 0); }
bool magenta(BITMAP* b, int x, int y) { return getpixel(b, x, y) == makecol(255, 0, 255); }

struct Intervalo {
    int de, ate;  // inclusive
    int largura() const { return ate - de + 1; }
};

// What the game sees of a row picture: which columns hold black, and the
// first and last rows with black.
struct Fileira {
    std::string nome;
    int largura = 0, altura = 0;
    std::vector<bool> colunaSolida;
    int primeiraLinhaPreta = -1, ultimaLinhaPreta = -1;

    std::vector<Intervalo> trechos(bool solido) const {
        std::vector<Intervalo> lista;
        for (int c = 0; c < largura; c++) {
            if (colunaSolida[c] != solido) continue;
            if (!lista.empty() && lista.back().ate == c - 1)
                lista.back().ate = c;
            else
                lista.push_back({c, c});
        }
        return lista;
    }
    std::vector<Intervalo> portas() const { return trechos(false); }
    std::vector<Intervalo> blocos() const { return trechos(true); }
};

Fileira ler(const char* caminho) {
    Fileira f;
    f.nome = caminho;
    BITMAP* b = load_bitmap(caminho, NULL);
    if (!b) return f;
    f.largura = b->w;
    f.altura = b->h;
    f.colunaSolida.assign(b->w, false);
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (preto(b, x, y)) {
                f.colunaSolida[x] = true;
                if (f.primeiraLinhaPreta < 0) f.primeiraLinhaPreta = y;
                f.ultimaLinhaPreta = y;
            }
    destroy_bitmap(b);
    return f;
}

std::vector<Fileira> fileirasDa(const Fase& fase) {
    std::vector<Fileira> lista;
    for (int k = 0; k < fase.total; k++) lista.push_back(ler(fase.caminhos[k]));
    return lista;
}

TEST(ArteFileiras, TamanhoECoresQueOJogoEspera) {
    for (const Fase& fase : FASES)
        for (int k = 0; k < fase.total; k++) {
            const char* caminho = fase.caminhos[k];
            BITMAP* b = load_bitmap(caminho, NULL);
            ASSERT_NE(b, nullptr) << caminho;
            EXPECT_EQ(b->w, LARGURA_FILEIRA) << caminho;
            EXPECT_GE(b->h, 16) << caminho;
            EXPECT_LE(b->h, 24) << caminho;
            int pretos = 0, magentas = 0, escuros = 0;
            for (int y = 0; y < b->h; y++)
                for (int x = 0; x < b->w; x++) {
                    int cor = getpixel(b, x, y);
                    if (preto(b, x, y))
                        pretos++;
                    else if (magenta(b, x, y))
                        magentas++;
                    else if (std::max({getr(cor), getg(cor), getb(cor)}) < 64)
                        escuros++;  // would look like wall without being one
                }
            EXPECT_GT(pretos, 0) << caminho;
            EXPECT_GT(magentas, b->w * b->h / 4) << caminho << ": the gates must show the sky";
            EXPECT_EQ(escuros, 0) << caminho << ": near-black decoration";
            destroy_bitmap(b);
        }
}

// Every non-black pixel reaches the picture's border through non-black
// pixels: no hole of another colour sits inside a block.
int buracosDentroDosBlocos(BITMAP* b) {
    std::vector<char> visto(b->w * b->h, 0);
    std::vector<std::pair<int, int>> pilha;
    auto empurrar = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= b->w || y >= b->h) return;
        if (visto[y * b->w + x] || preto(b, x, y)) return;
        visto[y * b->w + x] = 1;
        pilha.push_back({x, y});
    };
    for (int x = 0; x < b->w; x++) empurrar(x, 0), empurrar(x, b->h - 1);
    for (int y = 0; y < b->h; y++) empurrar(0, y), empurrar(b->w - 1, y);
    while (!pilha.empty()) {
        auto [x, y] = pilha.back();
        pilha.pop_back();
        empurrar(x + 1, y), empurrar(x - 1, y), empurrar(x, y + 1), empurrar(x, y - 1);
    }
    int buracos = 0;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (!preto(b, x, y) && !visto[y * b->w + x]) buracos++;
    return buracos;
}

TEST(ArteFileiras, BlocosInteirosELargos) {
    for (const Fase& fase : FASES)
        for (int k = 0; k < fase.total; k++) {
            const char* caminho = fase.caminhos[k];
            BITMAP* b = load_bitmap(caminho, NULL);
            ASSERT_NE(b, nullptr) << caminho;
            EXPECT_EQ(buracosDentroDosBlocos(b), 0) << caminho;
            for (int x = 0; x < b->w; x++) {
                int trechosPretos = 0;
                for (int y = 0; y < b->h; y++)
                    if (preto(b, x, y) && (y == 0 || !preto(b, x, y - 1))) trechosPretos++;
                EXPECT_LE(trechosPretos, 1) << caminho << " column " << x;
            }
            destroy_bitmap(b);
            for (const Intervalo& bloco : ler(caminho).blocos())
                EXPECT_GE(bloco.largura(), LARGURA_MINIMA_BLOCO)
                    << caminho << " block at columns " << bloco.de << "-" << bloco.ate;
        }
}

TEST(ArteFileiras, PortasLargasParaOsDoisJogadores) {
    for (const Fase& fase : FASES)
        for (const Fileira& f : fileirasDa(fase)) {
            std::vector<Intervalo> portas = f.portas();
            EXPECT_GE(portas.size(), 2u) << f.nome;
            for (const Intervalo& p : portas)
                EXPECT_GE(p.largura(), LARGURA_MINIMA_PORTA)
                    << f.nome << " gate at columns " << p.de << "-" << p.ate;
        }
}

// ------------------------------------------------------------ reachability

// Where a character can stand while a gate's row passes: both head columns
// inside the gate (and then the side tests keep it there).
Intervalo abrigo(const Intervalo& porta) {
    return {std::max(MENOR_X, X_FILEIRA + porta.de - COLUNA_CABECA_ESQ),
            std::min(MAIOR_X, X_FILEIRA + porta.ate - COLUNA_CABECA_DIR)};
}

// Steps from somewhere in `de` to somewhere in `para` for a character whose
// x keeps the remainder of `xInicial` mod 3 (it only ever moves 3 px).
int passos(const Intervalo& de, const Intervalo& para, int xInicial) {
    auto alinhar = [&](int x, int sentido) {
        while (((x - xInicial) % PASSO + PASSO) % PASSO != 0) x += sentido;
        return x;
    };
    int a0 = alinhar(de.de, 1), a1 = alinhar(de.ate, -1);
    int b0 = alinhar(para.de, 1), b1 = alinhar(para.ate, -1);
    if (a0 > a1 || b0 > b1) return 1 << 20;
    if (b0 > a1) return (b0 - a1) / PASSO;
    if (a0 > b1) return (a0 - b1) / PASSO;
    return 0;
}

// Frames in which a character can walk freely: row `a`'s black has left
// the body rows (its top + first black row > 440) and row `b`, `distancia`
// px above it, has not yet brought black to the head rows (its top + last
// black row < 395). Counted as the positions of a's top, `velocidade` apart.
int quadrosLivres(const Fileira& a, const Fileira& b, const Fase& fase, int distancia) {
    int primeiro = PE_PERSONAGEM + 1 - a.primeiraLinhaPreta;
    int ultimo = TOPO_PERSONAGEM - 2 - 1 + distancia - b.ultimaLinhaPreta;
    return std::max(0, (ultimo - primeiro + 1) / fase.velocidade);
}

struct Folga {
    int quadros = 1 << 20;
    std::string onde;
    void registrar(int q, const std::string& texto) {
        if (q < quadros) quadros = q, onde = texto;
    }
};

// The longest of the walks from each gate of `a` to its nearest gate of `b`
// and to each gate of `b` from its nearest gate of `a`: no dead end and no
// gate out of reach.
int piorCaminho(const Fileira& a, const Fileira& b, int xInicial) {
    int pior = 0;
    for (const Intervalo& pa : a.portas()) {
        int melhor = 1 << 20;
        for (const Intervalo& pb : b.portas())
            melhor = std::min(melhor, passos(abrigo(pa), abrigo(pb), xInicial));
        pior = std::max(pior, melhor);
    }
    for (const Intervalo& pb : b.portas()) {
        int melhor = 1 << 20;
        for (const Intervalo& pa : a.portas())
            melhor = std::min(melhor, passos(abrigo(pa), abrigo(pb), xInicial));
        pior = std::max(pior, melhor);
    }
    return pior;
}

TEST(ArteFileiras, CadaPortaAlcancaAProximaATempo) {
    for (const Fase& fase : FASES) {
        std::vector<Fileira> fileiras = fileirasDa(fase);
        Folga folga;
        for (const Jogador& j : JOGADORES) {
            // The first row starts at y 0 and hits heads after this many frames.
            const Fileira& primeira = fileiras[0];
            int chegada = (TOPO_PERSONAGEM - 2 - primeira.ultimaLinhaPreta + fase.velocidade - 1) /
                          fase.velocidade;
            int melhor = 1 << 20;
            for (const Intervalo& p : primeira.portas())
                melhor = std::min(melhor, passos({j.xInicial, j.xInicial}, abrigo(p), j.xInicial));
            EXPECT_LE(melhor, chegada - 1 - FOLGA_MINIMA) << j.nome << " to " << primeira.nome;
            folga.registrar(chegada - 1 - melhor, std::string("start of ") + j.nome);

            for (int k = 0; k < fase.total; k++) {
                const Fileira& a = fileiras[k];
                const Fileira& b = fileiras[(k + 1) % fase.total];
                int livres = quadrosLivres(a, b, fase, fase.distanciaMinima);
                int precisa = piorCaminho(a, b, j.xInicial);
                EXPECT_LE(precisa, livres - FOLGA_MINIMA)
                    << j.nome << ": " << a.nome << " -> " << b.nome << " needs " << precisa
                    << " frames of " << livres;
                std::ostringstream onde;
                onde << "row " << k + 1 << " -> " << (k + 1) % fase.total + 1 << ", " << j.nome
                     << ", " << precisa << " of " << livres << " frames";
                folga.registrar(livres - precisa, onde.str());
            }
        }
        std::ostringstream resumo;
        resumo << folga.quadros << " frames (" << folga.onde << ")";
        std::cout << "[ fileiras  ] stage " << fase.numero << " tightest walk: " << resumo.str()
                  << "\n";
        ::testing::Test::RecordProperty("folga_fase" + std::to_string(fase.numero),
                                        resumo.str());
    }
}

// --------------------------------------------------------- scripted player

// What one frame's buffer means to a character, per column.
struct Quadro {
    std::vector<char> cabeca, corpo;
};

Quadro analisar(BITMAP* buffer) {
    Quadro q{std::vector<char>(buffer->w, 0), std::vector<char>(buffer->w, 0)};
    const uint32_t preto = makecol(0, 0, 0);
    for (int y = TOPO_PERSONAGEM - 2; y <= PE_PERSONAGEM; y++) {
        const uint32_t* linha = reinterpret_cast<const uint32_t*>(buffer->line[y]);
        std::vector<char>& marca = y < TOPO_PERSONAGEM ? q.cabeca : q.corpo;
        for (int x = 0; x < buffer->w; x++)
            if (linha[x] == preto) marca[x] = 1;
    }
    return q;
}

// A key plan, one entry a frame: -1 walk left, +1 walk right, 0 stand.
using Plano = std::vector<int>;

// Searches every x a character can be at after each frame without ever
// being hit, over the real rows of a stage: the head test on last frame's
// x, then a step left, a step right or none, each allowed as the game
// allows it. Returns a plan that lasts `quadros` frames, or an empty one.
Plano planoSemDano(int numeroFase, int xInicial, int quadros) {
    GerenciadorMuro gerente(numeroFase);
    apoio::Bitmap buffer(640, 480);
    // veioDe[f][x]: the x of frame f - 1 that led to x in frame f, or -1.
    std::vector<std::vector<int16_t>> veioDe(quadros + 1, std::vector<int16_t>(640, -1));
    veioDe[0][xInicial] = int16_t(xInicial);
    for (int quadro = 1; quadro <= quadros; quadro++) {
        // Only the rows around the characters are read back.
        rectfill(buffer.get(), 0, TOPO_PERSONAGEM - 2, buffer->w - 1, PE_PERSONAGEM,
                 makecol(60, 70, 120));
        gerente.start(*buffer);
        Quadro q = analisar(buffer.get());
        bool algum = false;
        for (int x = MENOR_X; x <= MAIOR_X; x++) {
            if (veioDe[quadro - 1][x] < 0) continue;
            if (q.cabeca[x + COLUNA_CABECA_ESQ] || q.cabeca[x + COLUNA_CABECA_DIR]) continue;
            veioDe[quadro][x] = int16_t(x);
            if (!q.corpo[x - 1] && !q.corpo[x] && x > 140) veioDe[quadro][x - PASSO] = int16_t(x);
            if (!q.corpo[x + LARGURA_PERSONAGEM] && !q.corpo[x + LARGURA_PERSONAGEM + 1] &&
                x + LARGURA_PERSONAGEM <= 497)
                veioDe[quadro][x + PASSO] = int16_t(x);
            algum = true;
        }
        if (!algum) return {};
    }
    Plano plano(quadros);
    int x = MENOR_X;
    while (veioDe[quadros][x] < 0) x++;
    for (int quadro = quadros; quadro >= 1; quadro--) {
        int antes = veioDe[quadro][x];
        plano[quadro - 1] = (x - antes) / PASSO;
        x = antes;
    }
    return plano;
}

// Plays a stage with the game's own walls and characters, both players
// holding their keys as their plans say, in the game's order: walls, then
// player 1, then player 2.
std::vector<int> vidasDepoisDe(int numeroFase, const Plano& plano1, const Plano& plano2) {
    apoio::soltarTodasTeclas();
    GerenciadorMuro gerente(numeroFase);
    Personagem p1(KEY_G, KEY_H, 1), p2(KEY_LEFT, KEY_RIGHT, 2);
    apoio::Bitmap buffer(640, 480);
    for (std::size_t quadro = 0; quadro < plano1.size(); quadro++) {
        clear_to_color(buffer.get(), makecol(60, 70, 120));
        gerente.start(*buffer);
        key[KEY_G] = plano1[quadro] < 0, key[KEY_H] = plano1[quadro] > 0;
        key[KEY_LEFT] = plano2[quadro] < 0, key[KEY_RIGHT] = plano2[quadro] > 0;
        p1.processar(*buffer);
        p2.processar(*buffer);
    }
    apoio::soltarTodasTeclas();
    return {p1.get_vidas(), p2.get_vidas()};
}

TEST(ArteFileiras, JogadoresRoteirizadosDesviamDeTodasAsFileiras) {
    // The first pass plus the whole cycle twice: stage 1 repeats every 20
    // recycles of 96 frames on average, stage 2 every 60 recycles of 60.25.
    const int quadros[2] = {480 + 2 * 1920, 241 + 2 * 3615};
    for (const Fase& fase : FASES) {
        int n = quadros[fase.numero - 1];
        Plano plano1 = planoSemDano(fase.numero, JOGADORES[0].xInicial, n);
        Plano plano2 = planoSemDano(fase.numero, JOGADORES[1].xInicial, n);
        ASSERT_EQ(plano1.size(), std::size_t(n))
            << "stage " << fase.numero << ": player 1 is hit for sure";
        ASSERT_EQ(plano2.size(), std::size_t(n))
            << "stage " << fase.numero << ": player 2 is hit for sure";
        EXPECT_EQ(vidasDepoisDe(fase.numero, plano1, plano2), (std::vector<int>{3, 3}))
            << "stage " << fase.numero;
    }
}

}  // namespace
