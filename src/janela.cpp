#include "janela.h"

#include <allegro.h>

namespace {
volatile bool fechada = false;  // written by the library's thread, read by the game's
}

void fecharJanela() { fechada = true; }
END_OF_FUNCTION(fecharJanela)

void instalarBotaoFechar() {
    LOCK_VARIABLE(fechada);
    LOCK_FUNCTION(fecharJanela);
    set_close_button_callback(fecharJanela);
}

bool janelaFechada() { return fechada; }
