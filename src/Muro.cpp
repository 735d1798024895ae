#include "Muro.h"

Muro::Muro(BITMAP& bitmap, int x, int y, int velocidade, int delay)
    : sprite(&bitmap), coordX(x), coordY(y), velocidade(velocidade), delay(delay) {}

// Rows are always built with a picture; the empty row is only a safe blank.
Muro::Muro() : sprite(NULL), coordX(0), coordY(0), velocidade(0), delay(0) {}

// The picture belongs to the wall manager.
Muro::~Muro() {}

void Muro::desenhar(BITMAP& buffer) { draw_sprite(&buffer, sprite, coordX, coordY); }

// With a delay d the row creeps one pixel every d + 1 steps and `velocidade`
// counts the steps: the remainder reaches d (and the division gives 1) only
// on every (d + 1)-th step.
void Muro::descer(int /*fase*/) {
    if (delay == 0) {
        coordY += velocidade;
        return;
    }
    coordY += (velocidade % (delay + 1)) / delay;
    velocidade++;
}

int Muro::getX() { return coordX; }
int Muro::getY() { return coordY; }
void Muro::setX(int x) { coordX = x; }
void Muro::setY(int y) { coordY = y; }
void Muro::setVelocidade(int v) { velocidade = v; }
void Muro::setBitmap(BITMAP& bitmap) { sprite = &bitmap; }
int Muro::getAltura() { return sprite->h; }
int Muro::getLargura() { return sprite->w; }
