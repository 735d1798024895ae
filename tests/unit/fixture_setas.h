#ifndef FIXTURE_SETAS_H
#define FIXTURE_SETAS_H

// A player's arrow lane driven frame by frame the way the stage drives it,
// with fixture pictures of known sizes and colours so that every arrow and
// the hit mark can be found in the drawn pixels, and the player's verdicts
// read back from its score and health.
#include <allegro.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "GerenciadorSetas.h"
#include "Player.h"
#include "apoio.h"

namespace pista {

// Directions in the order of the arrow codes (code % 4).
enum Direcao { CIMA, BAIXO, ESQUERDA, DIREITA };

constexpr int LARGURA_SETA = 30;
// Stage-1 arrows are shorter than the stage-2 pictures the targets use, so a
// window measured on the wrong picture shows up in stage 1.
constexpr int ALTURA_SETA_FASE1 = 24;
constexpr int ALTURA_SETA_FASE2 = 32;
constexpr int LINHA_ALVOS = 9;
constexpr int FUNDO_JANELA = LINHA_ALVOS + ALTURA_SETA_FASE2;  // 41, still inside
constexpr int LINHAS_VISIVEIS = 480;
constexpr int LINHA_ESPERA = 480;
constexpr int COLUNA_P1[4] = {71, 40, 9, 102};
constexpr int DESLOCAMENTO_P2 = 499;
constexpr int TECLAS[2][4] = {{KEY_W, KEY_S, KEY_A, KEY_D},
                              {KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}};

inline int coluna(int direcao, int jogador) {
    return COLUNA_P1[direcao] + (jogador == 1 ? 0 : DESLOCAMENTO_P2);
}
inline int tecla(int direcao, int jogador) { return TECLAS[jogador - 1][direcao]; }
inline int alturaSeta(int fase) { return fase == 1 ? ALTURA_SETA_FASE1 : ALTURA_SETA_FASE2; }

// One colour per arrow code, and one for the hit mark; none is black or magenta.
inline int corDaSeta(int codigo) {
    static const int rgb[8][3] = {{230, 30, 30},  {30, 230, 30},  {30, 30, 230},  {230, 230, 30},
                                  {30, 230, 230}, {230, 120, 30}, {120, 30, 230}, {120, 230, 120}};
    return makecol(rgb[codigo][0], rgb[codigo][1], rgb[codigo][2]);
}
inline int corExclamacao() { return makecol(255, 255, 255); }

// The arrow code drawn in this colour, or -1.
inline int codigoDaCor(int cor) {
    for (int c = 0; c < 8; c++)
        if (corDaSeta(c) == cor) return c;
    return -1;
}

inline void gravarFiguras(apoio::PastaTemporaria& pasta) {
    const char* setas[8] = {"setau1m", "setad1m", "setal1m", "setar1m",
                            "setau2m", "setad2m", "setal2m", "setar2m"};
    for (int c = 0; c < 8; c++)
        pasta.gravarImagem(std::string("setas/") + setas[c] + ".bmp", LARGURA_SETA,
                           c < 4 ? ALTURA_SETA_FASE1 : ALTURA_SETA_FASE2, corDaSeta(c));
    pasta.gravarImagem("./setas/exclamacao.bmp", 30, 32, corExclamacao());

    const char* poses[6] = {"dir", "dir1", "dir2", "esq", "esq1", "esq2"};
    for (const char* jogador : {"P1", "P2"})
        for (const char* pose : poses)
            pasta.gravarImagem(std::string("./personagens/") + jogador + " - " + pose + ".bmp", 32,
                               44, makecol(90, 60, 30));
    pasta.gravarImagem("./sangue/umLife.bmp", 1, 14, makecol(200, 0, 0));
    pasta.gravarImagem("./sangue/cincoUnidades.bmp", 5, 14, makecol(20, 20, 20));
    pasta.gravarImagem("./sangue/cemLife.bmp", 100, 14, makecol(200, 0, 0));
    pasta.gravarImagem("./sangue/barraHPm.bmp", 118, 18, makecol(255, 0, 255));
    pasta.gravarImagem("./vidas/redmush.bmp", 16, 16, makecol(210, 20, 20));
    pasta.gravarImagem("./vidas/greenmush.bmp", 16, 16, makecol(20, 210, 20));
}

enum class Veredito { nenhum, acerto, erro, anomalo };

inline std::ostream& operator<<(std::ostream& s, Veredito v) {
    const char* nomes[] = {"nenhum", "acerto", "erro", "anomalo"};
    return s << nomes[static_cast<int>(v)];
}

struct Registro {
    int chamada;  // call of manipularSetas, counted from 1
    Veredito veredito;
};

// An arrow as seen in the drawn frame: its direction and the row of its top edge.
struct SetaVista {
    int direcao;  // -1 when no arrow is visible in the lane
    int y;
};

class Pista {
public:
    Pista(int fase, int jogador, int alturaBuffer = 520, bool fimInicial = false)
        : fase(fase),
          jogador(jogador),
          fim(fimInicial),
          buffer(640, alturaBuffer),
          cobertura(640, 29) {
        apoio::soltarTodasTeclas();
        gravarFiguras(pasta);
        player = std::make_unique<Player>(*buffer, *cobertura, jogador);
        gerenciador = std::make_unique<GerenciadorSetas>(fase, jogador);
    }
    ~Pista() { apoio::soltarTodasTeclas(); }

    // One frame of the lane with exactly `teclas` down, on a cleared buffer.
    void quadro(const std::vector<int>& teclas = {}) {
        apoio::soltarTodasTeclas();
        for (int t : teclas) key[t] = 1;
        clear_bitmap(buffer.get());
        const int pontosAntes = player->getPontos();
        ++chamadas;
        gerenciador->manipularSetas(*buffer, *player, fim);
        gerenciador->setContadoresTempo();
        gerenciador->colisaoSeta(*buffer);
        anotarVeredito(pontosAntes);
    }

    // A flawless player: presses the nearest arrow's key for the one frame in
    // which that arrow first enters the window, predicted from where it was
    // drawn last frame (arrows rise two rows per frame).
    void quadroPerfeito() {
        const SetaVista s = maisProxima();
        if (s.direcao >= 0 && s.y > FUNDO_JANELA && s.y - 2 <= FUNDO_JANELA)
            quadro({tecla(s.direcao, jogador)});
        else
            quadro();
    }

    // Key-free frames until the nearest arrow is one of `direcao` drawn two
    // rows below `linha`, so that the next frame puts its top edge on `linha`.
    bool avancarAte(int direcao, int linha) {
        for (int i = 0; i < 4000; i++) {
            const SetaVista s = maisProxima();
            if (s.direcao == direcao && s.y == linha + 2) return true;
            quadro();
        }
        return false;
    }

    // Key-free frames until the next verdict.
    Veredito proximoVeredito() {
        const size_t antes = vereditos.size();
        for (int i = 0; i < 400 && vereditos.size() == antes; i++) quadro();
        return vereditos.size() == antes ? Veredito::nenhum : vereditos.back().veredito;
    }

    // The arrow nearest the top among those drawn in the visible rows of this
    // player's lane (read down the middle of each lane column).
    SetaVista maisProxima() const {
        SetaVista perto{-1, LINHAS_VISIVEIS};
        for (int d = 0; d < 4; d++) {
            const int x = coluna(d, jogador) + LARGURA_SETA / 2;
            for (int y = 0; y < perto.y; y++)
                if (codigoDaCor(getpixel(buffer.get(), x, y)) >= 0) {
                    perto = {d, y};
                    break;
                }
        }
        return perto;
    }

    const int fase;
    const int jogador;
    bool fim;
    int chamadas = 0;
    std::vector<Registro> vereditos;
    apoio::PastaTemporaria pasta;
    apoio::Bitmap buffer;
    apoio::Bitmap cobertura;
    std::unique_ptr<Player> player;
    std::unique_ptr<GerenciadorSetas> gerenciador;

private:
    // A hit adds 100 points at full health and no streak; a miss costs 5 %
    // and no points. After each verdict the player is restored to full health
    // with no streak, so every verdict reads the same way and two verdicts in
    // one call, or a verdict of the wrong kind, show up as anomalies.
    void anotarVeredito(int pontosAntes) {
        const int ganho = player->getPontos() - pontosAntes;
        const int saude = player->getPorcentagem();
        if (ganho == 0 && saude == 100) return;
        Veredito v = Veredito::anomalo;
        if (ganho == 100 && saude == 100) v = Veredito::acerto;
        if (ganho == 0 && saude == 95) v = Veredito::erro;
        vereditos.push_back({chamadas, v});
        player->resetarVidas();
    }
};

}  // namespace pista

#endif
