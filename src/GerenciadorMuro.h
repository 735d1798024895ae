#ifndef GERENCIADORMURO_H
#define GERENCIADORMURO_H

#include <allegro.h>

class Muro;

// The falling walls of one stage: loads the stage's row pictures, stacks the
// rows above the screen, moves them down every frame and sends each row that
// leaves the bottom back to the top with the next picture of the cycle.
class GerenciadorMuro {
public:
    explicit GerenciadorMuro(int fase);
    ~GerenciadorMuro();
    GerenciadorMuro(const GerenciadorMuro&) = delete;
    GerenciadorMuro& operator=(const GerenciadorMuro&) = delete;

    void start(BITMAP& buffer);

private:
    Muro* filaMuros[5];
    BITMAP* arrayBitmapsFase1[20];
    BITMAP* arrayBitmapsFase2[15];
    int fase;
    int atualIndice;
};

#endif
