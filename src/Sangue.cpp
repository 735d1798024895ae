#include "Sangue.h"

#include "define.h"

Sangue::Sangue(BITMAP& bmp, int pX, int pY, int bX, int bY) {
    cincoUnidades = load_bitmap(ARQUIVO_CINCO_UNIDADES, NULL);
    umLife = load_bitmap(ARQUIVO_UM_LIFE, NULL);
    cemLife = load_bitmap(ARQUIVO_CEM_LIFE, NULL);
    barraHP = load_bitmap(ARQUIVO_BARRA_HP, NULL);
    porcentagem = CHEIO;
    screen = &bmp;
    posX = pX;
    posY = pY;
    barraX = bX;
    barraY = bY;
    draw_sprite(screen, barraHP, barraX, barraY);
    draw_sprite(screen, cemLife, posX + 1, posY);
}

Sangue::~Sangue() {
    destroy_bitmap(umLife);
    destroy_bitmap(cincoUnidades);
    destroy_bitmap(cemLife);
    destroy_bitmap(barraHP);
}

// A miss: five points less, and the five columns from the new value on are
// painted empty (some may already be empty near 0).
void Sangue::sofrerDano() {
    porcentagem -= DANO;
    if (porcentagem < 0) porcentagem = 0;
    draw_sprite(screen, cincoUnidades, posX + 1 + porcentagem, posY);
}

// A hit: the first empty column is painted full.
void Sangue::recuperarLife() {
    if (porcentagem > CHEIO - 1) return;
    draw_sprite(screen, umLife, posX + 1 + porcentagem, posY);
    porcentagem++;
}

bool Sangue::morto() { return porcentagem <= 0; }

// Only the frame is repainted every frame; the fill keeps its pixels on the
// cover strip.
void Sangue::desenhar() { draw_sprite(screen, barraHP, barraX, barraY); }

void Sangue::resetarHP() {
    porcentagem = CHEIO;
    draw_sprite(screen, cemLife, posX + 1, posY);
}

int Sangue::getPorcentagem() { return porcentagem; }
