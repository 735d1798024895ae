#ifndef SANGUE_H
#define SANGUE_H

#include <allegro.h>

// One player's health, 0 to 100 percent, and the bar that shows it on the
// cover strip. The fill is painted only where it changes: the strip keeps its
// pixels from frame to frame, so only the frame is repainted every frame.
class Sangue {
public:
    // The bar's pictures. The start-up picture check lists these too.
    static constexpr const char* ARQUIVO_CINCO_UNIDADES = "./sangue/cincoUnidades.bmp";
    static constexpr const char* ARQUIVO_UM_LIFE = "./sangue/umLife.bmp";
    static constexpr const char* ARQUIVO_CEM_LIFE = "./sangue/cemLife.bmp";
    static constexpr const char* ARQUIVO_BARRA_HP = "./sangue/barraHPm.bmp";

    // Health in percent; the bar paints one fill column a percent, so the full
    // fill is CHEIO columns wide and a miss empties DANO of them.
    static constexpr int CHEIO = 100;
    static constexpr int DANO = 5;

    Sangue(BITMAP& bmp, int pX, int pY, int bX, int bY);
    ~Sangue();
    Sangue(const Sangue&) = delete;
    Sangue& operator=(const Sangue&) = delete;

    void sofrerDano();
    void recuperarLife();
    bool morto();
    void desenhar();
    void resetarHP();
    int getPorcentagem();

private:
    int porcentagem;
    BITMAP* umLife;
    BITMAP* cincoUnidades;
    BITMAP* cemLife;
    BITMAP* barraHP;
    BITMAP* screen;
    int posX;
    int posY;
    int barraX;
    int barraY;
};

#endif
