#ifndef SETA_H
#define SETA_H

#include <allegro.h>

// One arrow of a lane: either a moving arrow rising towards the targets, or a
// target standing still at the top of the lane. The picture is shared and
// owned by the lane.
class Seta {
public:
    Seta(BITMAP& bitmap, int posX, int posY, int veloc, char direcao);

    void desenharNaTela(BITMAP& buffer);
    void subir();
    int getX();
    int getY();
    void setX(int x);
    void setY(int y);
    void setBitmap(BITMAP& b);
    int getLargura();
    int getAltura();
    void setVelocidade(int veloc);
    char getDirecao();
    void setDirecao(char direcao);
    bool noLimite();
    bool verificarColisao(BITMAP& buffer);

private:
    BITMAP* img;
    int x;
    int y;
    int velocidade;
    char direcao;
};

#endif
