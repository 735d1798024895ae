#ifndef CENARIO_H
#define CENARIO_H

// The stages' scenery, drawn by arte_cenario.cpp (the backgrounds and the
// ground), cenario_raias.cpp (the arrow lanes and the columns on the
// backgrounds) and cenario_movel.cpp (the layers drifting over the playfield).

#include <allegro.h>

#include <vector>

#include "medidas.h"
#include "pincel.h"

using medidas::LARGURA_CAMPO;  // the playfield: columns X_CAMPO to X_CAMPO + LARGURA_CAMPO - 1
using medidas::X_CAMPO;

// A stage's colours.
struct PaletaFase {
    std::vector<pincel::Cor> ceu;  // sky stops, top to horizon
    pincel::Cor raiaFundo, raiaTrilha, raiaFaixa, raiaLinha;
    pincel::Cor alvoMiolo, alvoBorda, alvoBrilho;
    pincel::Cor colunaEscura, colunaMeio, colunaClara;
    pincel::Cor nomeJ1, nomeJ2;
};

// Both lanes with their targets, and the columns between them and the playfield.
void desenharMolduras(BITMAP* b, const PaletaFase& p);

// cenario/fase1movel.bmp and cenario/fase2movel.bmp.
BITMAP* desenharFase1Movel();
BITMAP* desenharFase2Movel();

#endif
