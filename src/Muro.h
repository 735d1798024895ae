#ifndef MURO_H
#define MURO_H

#include <allegro.h>

// One falling row of wall blocks. Its pure-black pixels are the walls; the
// picture belongs to the wall manager.
class Muro {
public:
    Muro(BITMAP& bitmap, int x, int y, int velocidade, int delay);
    Muro();
    ~Muro();

    void desenhar(BITMAP& buffer);
    void descer(int fase);
    int getX();
    int getY();
    void setX(int x);
    void setY(int y);
    void setVelocidade(int velocidade);
    void setBitmap(BITMAP& bitmap);
    int getAltura();
    int getLargura();

private:
    BITMAP* sprite;
    int coordX;
    int coordY;
    int velocidade;
    int delay;
};

#endif
