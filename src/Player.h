#ifndef PLAYER_H
#define PLAYER_H

#include <allegro.h>

class Personagem;
class Pontuacao;
class Sangue;

// One of the two players: its character, score, health bar and lives box.
// Turns arrow verdicts into score and health, and reports when it is out.
class Player {
public:
    Player(BITMAP& bmp, BITMAP& cob, int jogador);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    bool processar();
    void setaAcertada();
    void setaErrada();
    BITMAP* desenharVidas();
    void resetarVidas();
    int getPontos();
    void matar();
    bool morto();
    void zerarHP();
    int getPorcentagem();

private:
    Personagem* personagem;
    Pontuacao* pontuacao;
    Sangue* sangue;
    BITMAP* buffer;
    BITMAP* vidas;
    BITMAP* mush;
    BITMAP* cobertura;
    int posVidaX;
    int posVidaY;
};

#endif
