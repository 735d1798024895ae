#ifndef ABERTURA_H
#define ABERTURA_H

#include <allegro.h>

// The title menu: a title picture with a box of four entries and a cursor,
// and an instructions page. It runs its own loop until an entry is chosen.
class Abertura {
public:
    Abertura();
    ~Abertura();
    Abertura(const Abertura&) = delete;
    Abertura& operator=(const Abertura&) = delete;

    int selecao(BITMAP* buffer, bool continuar);

private:
    int posY;
    int opcao;
    bool btn_pressionado;
    bool help;
    BITMAP* instrucoes;
    BITMAP* help_back;
    BITMAP* menu[4];
    BITMAP* back;
    BITMAP* clave;
};

#endif
