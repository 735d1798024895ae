#include "Fase.h"

#include "GerenciadorMuro.h"
#include "GerenciadorSetas.h"
#include "Player.h"
#include "define.h"
#include "imagens.h"
#include "medidas.h"

namespace {
const int X_PLAYFIELD = medidas::X_CAMPO;
using medidas::ATRASO_CENARIO;
using medidas::TOPO_MOVEL;
}  // namespace

Fase::Fase(BITMAP& bmp, BITMAP& cob, int j, int fase, Player& p1, Player& p2)
    : player1(nullptr), player2(nullptr), gMuro(nullptr), gSeta1(nullptr), gSeta2(nullptr) {
    buffer = &bmp;
    cobertura = &cob;
    delay = 0;
    delay2 = 0;
    posMovel = TOPO_MOVEL;
    jogadores = j;
    gameOver = false;
    faseConcluida = false;

    const int numero = fase == 1 ? 1 : 2;
    background = load_bitmap(numero == 1 ? imagens::FASE1 : imagens::FASE2, NULL);
    backMovel = load_bitmap(numero == 1 ? imagens::FASE1_MOVEL : imagens::FASE2_MOVEL, NULL);
    chao = load_bitmap(imagens::CHAO, NULL);
    backgroundRle = get_rle_sprite(background);
    backMovelRle = get_rle_sprite(backMovel);
    chaoRle = get_rle_sprite(chao);
    gMuro = new GerenciadorMuro(numero);
    gSeta1 = new GerenciadorSetas(numero, 1);
    if (jogadores == 2) gSeta2 = new GerenciadorSetas(numero, 2);

    player1 = &p1;
    if (jogadores == 2) player2 = &p2;
}

Fase::~Fase() {
    destroy_rle_sprite(backgroundRle);
    destroy_rle_sprite(backMovelRle);
    destroy_rle_sprite(chaoRle);
    destroy_bitmap(background);
    destroy_bitmap(backMovel);
    destroy_bitmap(chao);
    delete gMuro;
    delete gSeta1;
    delete gSeta2;
}

// One step. The order matters: the characters find walls by the black pixels
// already in the buffer, so the walls are drawn before the players and the
// ground after them; player 2 also sees player 1 as drawn in this step.
void Fase::processar(bool flag) {
    draw_rle_sprite(buffer, backgroundRle, 0, 0);
    draw_rle_sprite(buffer, backMovelRle, X_PLAYFIELD, posMovel);
    moverCenario(ATRASO_CENARIO);
    gMuro->start(*buffer);

    rodarRaia(*player1, *gSeta1);
    if (jogadores == 2) rodarRaia(*player2, *gSeta2);

    gameOver = player1->processar();
    if (jogadores == 2) {
        const bool fora2 = player2->processar();
        gameOver = gameOver && fora2;
    }

    draw_rle_sprite(buffer, chaoRle, X_PLAYFIELD, MAX_Y - chao->h);

    if (key[KEY_F5] && !flag) faseConcluida = true;
}

// A player who is in plays its lane; one who is out is held at no lives and
// drained of health, and its lane stands still, undrawn.
void Fase::rodarRaia(Player& jogador, GerenciadorSetas& raia) {
    if (!jogador.morto()) {
        raia.manipularSetas(*buffer, jogador, faseConcluida);
        raia.setContadoresTempo();
        raia.colisaoSeta(*buffer);
    } else {
        jogador.matar();
        if (jogador.getPorcentagem() > 0) jogador.zerarHP();
    }
}

bool Fase::deuGameOver() { return gameOver; }

bool Fase::passouFase() { return faseConcluida; }

// The transition picture: the layer speeds up by one pixel per step every
// `velocidade` calls; past the top of its range it starts again at -480.
void Fase::acelerarCenario(int velocidade) {
    draw_rle_sprite(buffer, backMovelRle, X_PLAYFIELD, posMovel);
    posMovel += delay2 / velocidade;
    if (posMovel >= 0) posMovel = TOPO_MOVEL;
    delay2++;
}

void Fase::terminarFase() {
    draw_rle_sprite(buffer, backMovelRle, X_PLAYFIELD, posMovel);
    acelerarCenario(5);
}

// One pixel down on every (atraso + 1)-th step.
void Fase::moverCenario(int atraso) {
    posMovel += (delay % (atraso + 1)) / atraso;
    if (posMovel >= 0) posMovel = TOPO_MOVEL;
    delay++;
}
