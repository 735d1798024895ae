#include "Seta.h"

Seta::Seta(BITMAP& bitmap, int posX, int posY, int veloc, char direcao)
    : img(&bitmap), x(posX), y(posY), velocidade(veloc), direcao(direcao) {}

void Seta::desenharNaTela(BITMAP& buffer) { draw_sprite(&buffer, img, x, y); }

void Seta::subir() { y -= velocidade; }

int Seta::getX() { return x; }

int Seta::getY() { return y; }

void Seta::setX(int x) { this->x = x; }

void Seta::setY(int y) { this->y = y; }

void Seta::setBitmap(BITMAP& b) { img = &b; }

int Seta::getLargura() { return img->w; }

int Seta::getAltura() { return img->h; }

void Seta::setVelocidade(int veloc) { velocidade = veloc; }

char Seta::getDirecao() { return direcao; }

void Seta::setDirecao(char direcao) { this->direcao = direcao; }

// At or above the top row: arrows starting on odd rows are caught too.
bool Seta::noLimite() { return y <= 0; }

// Diagnostic overlay: a small red square at (100, 100) while the arrow's top
// edge is within rows 38 to 68. Gives whether the square was drawn.
bool Seta::verificarColisao(BITMAP& buffer) {
    const int limiteSuperior = 38;
    const int limiteInferior = 68;
    BITMAP* quadrado = create_bitmap(5, 5);
    rectfill(quadrado, 0, 0, 4, 4, makecol32(255, 0, 0));
    const bool dentro = limiteSuperior <= y && y <= limiteInferior;
    if (dentro) draw_sprite(&buffer, quadrado, 100, 100);
    destroy_bitmap(quadrado);
    return dentro;
}
