#ifndef GERENCIADORSETAS_H
#define GERENCIADORSETAS_H

#include <allegro.h>

class Player;
class Seta;

// One player's arrow lane for one stage: feeds the stage's fixed sequence of
// arrows, moves and draws them, judges the answer keys against the arrow
// nearest the targets and reports one verdict per arrow to the player.
class GerenciadorSetas {
public:
    GerenciadorSetas(int fase, int player);
    ~GerenciadorSetas();
    GerenciadorSetas(const GerenciadorSetas&) = delete;
    GerenciadorSetas& operator=(const GerenciadorSetas&) = delete;

    void inicializarSequenciaSetas();
    void manipularSetas(BITMAP& buffer, Player& p, bool& b);
    void setContadoresTempo();
    bool colisaoSeta(BITMAP& buffer);

private:
    Seta* arraySetas[5];
    Seta* areaLeft;
    Seta* areaDown;
    Seta* areaUp;
    Seta* areaRight;
    int fase;
    int player;
    int indiceAtual;
    int contadorTecla[4];
    int sequenciaSetas[50];
    int setaMaisPerto;
    bool exclamacaoPress;
    int contadorExclamacao;
    bool acertou;
    BITMAP* arrayBitmaps[8];
    BITMAP* exclamacao;
};

#endif
