#include "GerenciadorMuro.h"

#include "Muro.h"
#include "imagens.h"
#include "medidas.h"

namespace {

// Every row is drawn from the playfield's left edge.
const int X_FILEIRAS = medidas::X_CAMPO;

// Stage 1: five rows 95 pixels apart falling 1 pixel per frame.
using medidas::DISTANCIA_FASE1;
using medidas::FILEIRAS_FASE1;
const int velocidadeFase1 = medidas::VELOCIDADE_MUROS_FASE1;
const int delayFase1 = 0;

// Stage 2: four rows 115 pixels apart falling 2 pixels per frame.
using medidas::DISTANCIA_FASE2;
using medidas::FILEIRAS_FASE2;
const int velocidadeFase2 = medidas::VELOCIDADE_MUROS_FASE2;
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

    // Loads a stage's pictures in file order and stacks its rows upwards
    // from the top of the screen, row i showing picture i.
    auto montar = [this](BITMAP** figuras, const char* const* caminhos, int totalFiguras,
                         int fileiras, int distancia, int velocidade, int delay) {
        for (int k = 0; k < totalFiguras; k++) figuras[k] = load_bitmap(caminhos[k], NULL);
        for (int i = 0; i < fileiras; i++)
            filaMuros[i] = new Muro(*figuras[i], X_FILEIRAS, -distancia * i, velocidade, delay);
        atualIndice = fileiras;
    };
    if (fase == 1)
        montar(arrayBitmapsFase1, imagens::FILEIRAS_FASE1, imagens::FILEIRAS_FASE1_TOTAL,
               FILEIRAS_FASE1, DISTANCIA_FASE1, velocidadeFase1, delayFase1);
    else if (fase == 2)
        montar(arrayBitmapsFase2, imagens::FILEIRAS_FASE2, imagens::FILEIRAS_FASE2_TOTAL,
               FILEIRAS_FASE2, DISTANCIA_FASE2, velocidadeFase2, delayFase2);
}

GerenciadorMuro::~GerenciadorMuro() {
    for (int i = 0; i < fileirasDaFase(fase); i++) {
        delete filaMuros[i];
        filaMuros[i] = NULL;
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
