#ifndef FASE_H
#define FASE_H

#include <allegro.h>

class GerenciadorMuro;
class GerenciadorSetas;
class Player;

// One stage: background, scrolling scenery and ground, the wall manager, one
// arrow lane per player, and the fixed order in which they run each step.
class Fase {
public:
    Fase(BITMAP& bmp, BITMAP& cob, int j, int fase, Player& p1, Player& p2);
    ~Fase();
    Fase(const Fase&) = delete;
    Fase& operator=(const Fase&) = delete;

    void processar(bool flag);
    bool deuGameOver();
    bool passouFase();
    void acelerarCenario(int velocidade);
    void terminarFase();

private:
    void moverCenario(int atraso);
    void rodarRaia(Player& jogador, GerenciadorSetas& raia);

    Player* player1;
    Player* player2;
    GerenciadorMuro* gMuro;
    GerenciadorSetas* gSeta1;
    GerenciadorSetas* gSeta2;
    BITMAP* background;
    BITMAP* backMovel;
    BITMAP* chao;
    // The same three pictures run-length encoded, drawn every step: the
    // encoding skips the transparent colour exactly as draw_sprite does, without
    // testing every pixel of the full-screen pictures.
    RLE_SPRITE* backgroundRle;
    RLE_SPRITE* backMovelRle;
    RLE_SPRITE* chaoRle;
    BITMAP* buffer;
    BITMAP* cobertura;
    bool gameOver;
    bool faseConcluida;
    int delay;
    int delay2;
    int posMovel;
    int jogadores;
};

#endif
