#include "GerenciadorMuro.h"

#include "Muro.h"
#include "imagens.h"

namespace {

// Every row is drawn from the playfield's left edge.
const int X_FILEIRAS = 141;

// Stage 1: five rows 95 pixels apart falling 1 pixel per frame.
const int FILEIRAS_FASE1 = 5;
const int DISTANCIA_FASE1 = 95;
const int velocidadeFase1 = 1;
const int delayFase1 = 0;

// Stage 2: four rows 115 pixels apart falling 2 pixels per frame.
const int FILEIRAS_FASE2 = 4;
const int DISTANCIA_FASE2 = 115;
const int velocidadeFase2 = 2;
const int delayFase2 = 0;

// A row whose top has passed the bottom of the 480-row screen goes back to
// the top, at y 1.
const int FUNDO_TELA = 479;
const int TOPO_RECICLADO = 1;

int fileirasDaFase(int fase) {
    if (fase == 1) return FILEIRAS_FASE1;
    if (fase == 2) return FILEIRAS_FASE2;
    return 0;
}

}  // namespace

GerenciadorMuro::GerenciadorMuro(int fase) : fase(fase), atualIndice(0) {
    for (Muro*& muro : filaMuros) muro = NULL;
    for (BITMAP*& bmp : arrayBitmapsFase1) bmp = NULL;
    for (BITMAP*& bmp : arrayBitmapsFase2) bmp = NULL;

    if (fase == 1) {
        atualIndice = FILEIRAS_FASE1;
        for (int k = 0; k < imagens::FILEIRAS_FASE1_TOTAL; k++)
            arrayBitmapsFase1[k] = load_bitmap(imagens::FILEIRAS_FASE1[k], NULL);
        for (int i = 0; i < FILEIRAS_FASE1; i++)
            filaMuros[i] = new Muro(*arrayBitmapsFase1[i], X_FILEIRAS, -DISTANCIA_FASE1 * i,
                                    velocidadeFase1, delayFase1);
    } else if (fase == 2) {
        atualIndice = FILEIRAS_FASE2;
        for (int k = 0; k < imagens::FILEIRAS_FASE2_TOTAL; k++)
            arrayBitmapsFase2[k] = load_bitmap(imagens::FILEIRAS_FASE2[k], NULL);
        for (int i = 0; i < FILEIRAS_FASE2; i++)
            filaMuros[i] = new Muro(*arrayBitmapsFase2[i], X_FILEIRAS, -DISTANCIA_FASE2 * i,
                                    velocidadeFase2, delayFase2);
    }
}

GerenciadorMuro::~GerenciadorMuro() {
    for (Muro*& muro : filaMuros) {
        delete muro;
        muro = NULL;
    }
    for (BITMAP*& bmp : arrayBitmapsFase1) {
        if (bmp) destroy_bitmap(bmp);
        bmp = NULL;
    }
    for (BITMAP*& bmp : arrayBitmapsFase2) {
        if (bmp) destroy_bitmap(bmp);
        bmp = NULL;
    }
}

// Rows are handled in slot order, so where two rows overlap the later slot's
// picture is drawn on top.
void GerenciadorMuro::start(BITMAP& buffer) {
    int total = fileirasDaFase(fase);
    for (int i = 0; i < total; i++) {
        Muro& muro = *filaMuros[i];
        if (muro.getY() > FUNDO_TELA) {
            // Back to the top with the next picture of the cycle; no step
            // this frame.
            BITMAP** figuras = fase == 1 ? arrayBitmapsFase1 : arrayBitmapsFase2;
            int ciclo = fase == 1 ? imagens::FILEIRAS_FASE1_TOTAL : imagens::FILEIRAS_FASE2_TOTAL;
            muro.setY(TOPO_RECICLADO);
            muro.setBitmap(*figuras[atualIndice]);
            atualIndice = (atualIndice + 1) % ciclo;
        } else {
            muro.descer(fase);
        }
        muro.desenhar(buffer);
    }
}
