#include "Player.h"

#include "Personagem.h"
#include "Pontuacao.h"
#include "Sangue.h"
#include "define.h"
#include "imagens.h"
#include "medidas.h"

namespace {
using medidas::ALTURA_VIDAS;
using medidas::LARGURA_VIDAS;
const int PONTOS_POR_SETA = 100;
const int BONUS_POR_VIDA = 10000;
const int BONUS_POR_PORCENTO = 300;

// Where a player's displays sit on the cover strip, and its keys and icon.
struct Ajustes {
    int esq, dir;
    int posX, posY, barraX, barraY;
    int painelX, painelY;
    int vidaX, vidaY;
    const char* icone;
};

Ajustes ajustesDoJogador(int jogador) {
    if (jogador == 1)
        return {KEY_G, KEY_H, POSS1_X, POSS1_Y, POSB1_X, POSB1_Y,
                POSP1_X, POSP1_Y, VIDA1_X, VIDA1_Y, imagens::RED_MUSH};
    return {KEY_LEFT, KEY_RIGHT, POSS2_X, POSS2_Y, POSB2_X, POSB2_Y,
            POSP2_X, POSP2_Y, VIDA2_X, VIDA2_Y, imagens::GREEN_MUSH};
}
}  // namespace

Player::Player(BITMAP& bmp, BITMAP& cob, int jogador) {
    cobertura = &cob;
    const Ajustes a = ajustesDoJogador(jogador);
    posVidaX = a.vidaX;
    posVidaY = a.vidaY;
    buffer = &bmp;
    vidas = create_bitmap(LARGURA_VIDAS, ALTURA_VIDAS);
    personagem = new Personagem(a.esq, a.dir, jogador);
    sangue = new Sangue(cob, a.posX, a.posY, a.barraX, a.barraY);
    pontuacao = new Pontuacao(cob, a.painelX, a.painelY);
    mush = load_bitmap(a.icone, NULL);
}

Player::~Player() {
    destroy_bitmap(vidas);
    destroy_bitmap(mush);
    if (personagem) {
        delete personagem;
        personagem = nullptr;
    }
    if (sangue) {
        delete sangue;
        sangue = nullptr;
    }
    if (pontuacao) {
        delete pontuacao;
        pontuacao = nullptr;
    }
}

// A player who is out only keeps its panel and bar frame up to date; its lives
// box stays as last painted.
bool Player::processar() {
    pontuacao->desenhar(*cobertura);
    sangue->desenhar();
    if (sangue->morto() || personagem->get_vidas() <= 0) {
        pontuacao->zerarCombo();
        return true;
    }
    personagem->processar(*buffer);
    draw_sprite(cobertura, desenharVidas(), posVidaX, posVidaY);
    return false;
}

void Player::setaAcertada() {
    pontuacao->incrementarCombo();
    pontuacao->adicionarPontos(PONTOS_POR_SETA);
    sangue->recuperarLife();
}

void Player::setaErrada() {
    pontuacao->zerarCombo();
    sangue->sofrerDano();
}

BITMAP* Player::desenharVidas() {
    clear_bitmap(vidas);
    int coluna = 0;
    for (int desenhados = 0; desenhados < personagem->get_vidas(); desenhados++) {
        draw_sprite(vidas, mush, coluna, 0);
        coluna += mush->w;
    }
    return vidas;
}

// End of a stage: what is left of lives and health becomes points (through
// the multiplier in force), then everything is restored for the next stage.
void Player::resetarVidas() {
    const int bonus = personagem->get_vidas() * BONUS_POR_VIDA +
                      sangue->getPorcentagem() * BONUS_POR_PORCENTO;
    pontuacao->adicionarPontos(bonus);
    personagem->resetarVidas();
    sangue->resetarHP();
    pontuacao->zerarCombo();
}

int Player::getPontos() { return pontuacao->getPontos(); }

void Player::matar() { personagem->set_vidas(0); }

bool Player::morto() { return personagem->get_vidas() <= 0 || sangue->getPorcentagem() <= 0; }

void Player::zerarHP() { sangue->sofrerDano(); }

int Player::getPorcentagem() { return sangue->getPorcentagem(); }
