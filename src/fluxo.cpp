#include "fluxo.h"

#include "Fase.h"
#include "Player.h"
#include "define.h"
#include "medidas.h"

namespace {

using medidas::ALTURA_COBERTURA;
using medidas::QUADROS_TRANSICAO;
const int ACELERACAO_TRANSICAO = 10;

// One frame between the stages: 249 frames of scenery speeding up, then on
// the 250th the stage-end bonus and the next stage, or the end of the game.
Desfecho passarFase(Jogo& jogo, BITMAP* cobertura) {
    clear_bitmap(cobertura);
    jogo.contPassandoFase++;
    if (jogo.contPassandoFase <= QUADROS_TRANSICAO - 1) {
        jogo.faseAtual->acelerarCenario(ACELERACAO_TRANSICAO);
        return Desfecho::SEGUE;
    }
    jogo.contPassandoFase = 0;
    jogo.p1->resetarVidas();
    if (jogo.p2) jogo.p2->resetarVidas();
    if (jogo.faseAtual == jogo.fase2) return Desfecho::FIM;
    jogo.faseAtual = jogo.fase2;
    return Desfecho::SEGUE;
}

}  // namespace

void liberarJogo(Jogo& jogo) {
    delete jogo.fase1;
    delete jogo.fase2;
    delete jogo.p1;
    delete jogo.p2;
    jogo = Jogo();
}

// Players first, then the stages. A one-player stage takes no second player;
// it is handed player 1 in that place and never uses it.
void iniciarJogo(Jogo& jogo, BITMAP* buffer, BITMAP* cobertura, int jogadores) {
    liberarJogo(jogo);
    jogo.p1 = new Player(*buffer, *cobertura, 1);
    if (jogadores == 2) jogo.p2 = new Player(*buffer, *cobertura, 2);
    Player& segundo = jogadores == 2 ? *jogo.p2 : *jogo.p1;
    jogo.fase1 = new Fase(*buffer, *cobertura, jogadores, 1, *jogo.p1, segundo);
    jogo.fase2 = new Fase(*buffer, *cobertura, jogadores, 2, *jogo.p1, segundo);
    jogo.faseAtual = jogo.fase1;
}

Desfecho quadroDeJogo(Jogo& jogo, BITMAP* cobertura, bool flag) {
    if (jogo.faseAtual->passouFase()) return passarFase(jogo, cobertura);
    jogo.faseAtual->processar(flag);
    return jogo.faseAtual->deuGameOver() ? Desfecho::GAME_OVER : Desfecho::SEGUE;
}

bool guardaDeTeclas() { return key[KEY_P] || key[KEY_ESC] || key[KEY_F5]; }

void apresentar(BITMAP* buffer, BITMAP* cobertura) {
    blit(cobertura, screen, 0, 0, 0, 0, MAX_X, ALTURA_COBERTURA);
    blit(buffer, screen, 0, 0, 0, ALTURA_COBERTURA, MAX_X, MAX_Y);
    clear_bitmap(buffer);
}
